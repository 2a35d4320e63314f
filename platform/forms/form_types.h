// The form library's basic types: objects, events, shift state, rectangles and
// the exception class that start-up and the message loop report.
#pragma once
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

class TObject {
 public:
  virtual ~TObject() = default;
};

class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* owner) : owner_(owner) {}
  TComponent* Owner() const { return owner_; }

 private:
  TComponent* owner_;
};

// Modifier and mouse-button state that comes with input events.
enum TShiftFlag : uint16_t {
  ssShift = 1 << 0,
  ssAlt = 1 << 1,
  ssCtrl = 1 << 2,
  ssLeft = 1 << 3,
  ssRight = 1 << 4,
  ssMiddle = 1 << 5,
};
using TShiftState = uint16_t;

struct TPoint {
  int32_t x = 0;
  int32_t y = 0;
};

struct TRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

enum class TCloseAction { caNone, caHide, caFree, caMinimize };

// Event handler types, bound by name from a form resource.
using TNotifyEvent = std::function<void(TObject* sender)>;
using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TKeyEvent = std::function<void(TObject* sender, uint16_t& key, TShiftState shift)>;
using TMouseWheelEvent =
    std::function<void(TObject* sender, TShiftState shift, int32_t wheelDelta, TPoint mousePos, bool& handled)>;

// The form library's exception class: anything derived from it that escapes
// start-up or the message loop is shown to the user.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};
