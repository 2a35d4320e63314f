// The form library stand-in: resource loading by name, the message loop's
// timer deadlines on a scripted clock, event dispatch.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/forms/application.h"
#include "platform/egl/egl_binding.h"
#include "platform/forms/form_resource.h"
#include "platform/headless/null_window.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_window.h"

namespace {

// A small form whose tick takes as long as the test says.
class TTestForm : public TForm {
 public:
  TTimer* Timer{};
  void TimerTimer(TObject*) {
    Timer->SetEnabled(false);
    ticks.push_back(backend->nowUs());
    backend->advance(frameUs);  // the frame's drawing time
    if (ticks.size() == stopAfter) Close();
    Timer->SetEnabled(true);
  }
  void FormKeyDown(TObject*, uint16_t& key, TShiftState) { keys.push_back(key); }
  void FormCreate(TObject*) { created = true; }

  explicit TTestForm(TComponent* owner) : TForm(owner, formClass(resource)) {}

  static FormClass formClass(std::string_view text) {
    static constexpr PublishedField fields[] = {publishField<&TTestForm::Timer>("Timer", "TTimer")};
    static constexpr PublishedMethod methods[] = {
        publishMethod<&TTestForm::TimerTimer>("TimerTimer"),
        publishMethod<&TTestForm::FormKeyDown>("FormKeyDown"),
        publishMethod<&TTestForm::FormCreate>("FormCreate"),
    };
    return {"TTestForm", text, fields, methods};
  }

  static inline std::string_view resource;
  static inline NullWindowBackend* backend = nullptr;
  std::vector<int64_t> ticks;
  std::vector<uint16_t> keys;
  int64_t frameUs = 0;
  size_t stopAfter = 5;
  bool created = false;
};

constexpr std::string_view kTestResource = R"(
object Test: TTestForm
  Caption = 'It''s a test'
  OldCreateOrder = False
  OnCreate = FormCreate
  OnKeyDown = FormKeyDown
  object Timer: TTimer
    Interval = 10
    OnTimer = TimerTimer
  end
end
)";

class FormLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    usePlatform(backend, binding);
    TTestForm::backend = &backend;
    TTestForm::resource = kTestResource;
    Application->DestroyForms();
  }
  void TearDown() override {
    Application->DestroyForms();
    useDesktopPlatform();
  }
  TTestForm* create() {
    TTestForm* form = nullptr;
    Application->CreateForm(form);
    return form;
  }
  std::string loadError(std::string_view text) {
    TTestForm::resource = text;
    try {
      create();
    } catch (const Exception& e) {
      return e.Message();
    }
    return "no error";
  }

  NullWindowBackend backend;
  EglBinding binding{EglBinding::Target::Pbuffer, backend};
};

}  // namespace

TEST_F(FormLibrary, ResourceBindsPropertiesComponentsAndEventsByName) {
  TTestForm* form = create();
  EXPECT_TRUE(form->created) << "the create event ran after construction";
  EXPECT_EQ(form->GetText(), "It's a test");
  ASSERT_NE(form->Timer, nullptr);
  EXPECT_EQ(form->Timer->Interval(), 10u);
  EXPECT_TRUE(form->Timer->Enabled()) << "a timer runs from the moment it is loaded";
  EXPECT_EQ(form->Timer->DueAt(), backend.nowUs() + 10'000);
}

TEST_F(FormLibrary, UnknownNamesInTheResourceAreClearErrors) {
  EXPECT_EQ(loadError("object Test: TTestForm\n  Colour = clRed\nend\n"),
            "Error reading Test.Colour: Property Colour does not exist");
  EXPECT_EQ(loadError("object Test: TTestForm\n  OnCreate = FormCreated\nend\n"),
            "Error reading Test.OnCreate: The method FormCreated does not exist in TTestForm");
  EXPECT_EQ(loadError("object Test: TTestForm\n  OnKeyDown = FormCreate\nend\n"),
            "Error reading Test.OnKeyDown: The method FormCreate does not fit the event OnKeyDown");
  EXPECT_EQ(loadError("object Test: TTestForm\n  object Clock: TTimer\n  end\nend\n"),
            "Field Test.Clock of class TTimer not found");
  EXPECT_EQ(loadError("object Test: TTestForm\n  object Timer: TButton\n  end\nend\n"), "Class TButton not found");
  EXPECT_EQ(loadError("object Test: TTestForm\n  Left = 'x'\nend\n"), "Error reading Test.Left: Invalid property value");
  EXPECT_EQ(loadError("object Test: TTestForm\n  Left = 1\n"), "Form resource, line 2: missing 'end' of object Test");
  EXPECT_EQ(loadError("object Other: TOtherForm\nend\n"), "Form resource describes TOtherForm, not TTestForm");
  EXPECT_EQ(Application->MainForm(), nullptr) << "a form that failed to load is not kept";
}

TEST_F(FormLibrary, TicksComeOneIntervalAfterTheLastFrameEnded) {
  TTestForm* form = create();
  const int64_t start = backend.nowUs();
  form->frameUs = 0;
  Application->Run();
  ASSERT_EQ(form->ticks.size(), 5u);
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(form->ticks[i], start + 10'000 * static_cast<int64_t>(i + 1));
}

TEST_F(FormLibrary, ASlowFrameLowersTheRateAndNeverQueuesTicks) {
  TTestForm* form = create();
  const int64_t start = backend.nowUs();
  form->frameUs = 45'600;  // not a whole number of milliseconds
  Application->Run();
  ASSERT_EQ(form->ticks.size(), 5u);
  EXPECT_EQ(form->ticks[0], start + 10'000);
  for (size_t i = 1; i < 5; ++i)
    EXPECT_EQ(form->ticks[i] - form->ticks[i - 1], 55'600) << "frame time plus one whole interval, never less";
}

TEST(SdlClock, ResolvesFarBelowAMillisecond) {
  // Deadlines are rounded to this clock; a millisecond clock let a tick come
  // up to a millisecond early.
  SdlWindowBackend sdl;
  const int64_t first = sdl.nowUs();
  int64_t next = first;
  while (next == first) next = sdl.nowUs();
  EXPECT_LT(next - first, 100) << "one step of the clock, in microseconds";
}

TEST_F(FormLibrary, EventsAreDispatchedBetweenTicks) {
  TTestForm* form = create();
  form->stopAfter = 0;  // never closes by itself
  const int64_t start = backend.nowUs();
  WindowEvent key = makeEvent(WindowEvent::Kind::KeyDown, form->GetHandle());
  key.key = 'S';
  backend.post(key, start + 25'000);
  backend.post(makeEvent(WindowEvent::Kind::Close, form->GetHandle()), start + 42'000);
  Application->Run();
  EXPECT_EQ(form->keys, (std::vector<uint16_t>{'S'}));
  EXPECT_EQ(form->ticks, (std::vector<int64_t>{start + 10'000, start + 20'000, start + 30'000, start + 40'000}));
  EXPECT_TRUE(form->Closed());
  EXPECT_EQ(form->Handle(), nullptr) << "a closed window is gone from the screen";
}

TEST(FormResource, ParsesStringsSetsAndNegativeNumbers) {
  const ResourceObject root = parseFormResource(
      "object A: TA\n  Font.Height = -11\n  Font.Style = [fsBold, fsItalic]\n  Name = 'a''b'\n  object B: TB\n  end\nend");
  EXPECT_EQ(root.name, "A");
  ASSERT_EQ(root.properties.size(), 3u);
  EXPECT_EQ(root.properties[0].name, "Font.Height");
  EXPECT_EQ(root.properties[0].value.integer, -11);
  EXPECT_EQ(root.properties[1].value.items, (std::vector<std::string>{"fsBold", "fsItalic"}));
  EXPECT_EQ(root.properties[2].value.text, "a'b");
  ASSERT_EQ(root.children.size(), 1u);
  EXPECT_EQ(root.children[0].className, "TB");
  EXPECT_THROW(parseFormResource("object A: TA\n  X = 12abc\nend"), Exception);
  EXPECT_THROW(parseFormResource("object A: TA\nend\nend"), Exception);
}
