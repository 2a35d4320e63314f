// Loading a form resource: properties by name, components by class, events
// bound to the handlers the form class publishes.
#include <algorithm>
#include <map>

#include "platform/forms/form.h"
#include "platform/forms/form_resource.h"
#include "platform/forms/timer.h"

namespace {

[[noreturn]] void readError(const std::string& object, const std::string& property, const std::string& why) {
  throw Exception("Error reading " + object + "." + property + ": " + why);
}

int32_t integerOf(const ResourceProperty& p, const std::string& object) {
  if (p.value.kind != ResourceValue::Kind::Integer || p.value.integer < INT32_MIN || p.value.integer > INT32_MAX)
    readError(object, p.name, "Invalid property value");
  return static_cast<int32_t>(p.value.integer);
}

const std::string& textOf(const ResourceProperty& p, const std::string& object, ResourceValue::Kind kind) {
  if (p.value.kind != kind) readError(object, p.name, "Invalid property value");
  return p.value.text;
}

bool booleanOf(const ResourceProperty& p, const std::string& object) {
  const std::string& v = textOf(p, object, ResourceValue::Kind::Identifier);
  if (v != "True" && v != "False") readError(object, p.name, "Invalid property value");
  return v == "True";
}

// The handler a resource names for an event, checked against the event's type.
template <class Event>
Event handlerFor(const ResourceProperty& p, const std::string& object, const FormClass& formClass, TForm& form) {
  const std::string& name = textOf(p, object, ResourceValue::Kind::Identifier);
  const auto method = std::find_if(formClass.methods.begin(), formClass.methods.end(),
                                   [&](const PublishedMethod& m) { return m.name == name; });
  if (method == formClass.methods.end())
    readError(object, p.name, "The method " + name + " does not exist in " + std::string(formClass.className));
  PublishedHandler handler = method->bind(form);
  if (auto* event = std::get_if<Event>(&handler)) return *event;
  readError(object, p.name, "The method " + name + " does not fit the event " + p.name);
}

void applyTimerProperty(TTimer& timer, const ResourceProperty& p, const std::string& object,
                        const FormClass& formClass, TForm& form) {
  if (p.name == "Interval") {
    const int32_t interval = integerOf(p, object);
    if (interval < 0) readError(object, p.name, "Invalid property value");
    timer.SetInterval(static_cast<uint32_t>(interval));
  } else if (p.name == "Enabled") {
    timer.SetEnabled(booleanOf(p, object));
  } else if (p.name == "OnTimer") {
    timer.OnTimer = handlerFor<TNotifyEvent>(p, object, formClass, form);
  } else if (p.name == "Left" || p.name == "Top") {
    integerOf(p, object);  // the component's place in the designer only
  } else {
    readError(object, p.name, "Property " + p.name + " does not exist");
  }
}

}  // namespace

void TForm::loadResource(const FormClass& formClass) {
  const ResourceObject root = parseFormResource(formClass.resource);
  if (root.className != formClass.className)
    throw Exception("Form resource describes " + root.className + ", not " + std::string(formClass.className));
  name_ = root.name;
  for (const ResourceProperty& p : root.properties) applyProperty(p, formClass);
  for (const ResourceObject& child : root.children) createComponent(child, formClass);
}

void TForm::applyProperty(const ResourceProperty& p, const FormClass& formClass) {
  using Kind = ResourceValue::Kind;
  using Prop = ResourceProperty;
  using Class = FormClass;
  // One entry per property a form stores; anything else is an error.
  using Setter = void (*)(TForm& f, const Prop& p, const Class& c);
  static const std::map<std::string_view, Setter> setters = {
      {"Left", [](TForm& f, const Prop& p, const Class&) { f.geometry_.left = integerOf(p, f.name_); }},
      {"Top", [](TForm& f, const Prop& p, const Class&) { f.geometry_.top = integerOf(p, f.name_); }},
      {"Width", [](TForm& f, const Prop& p, const Class&) { f.geometry_.width = integerOf(p, f.name_); }},
      {"Height", [](TForm& f, const Prop& p, const Class&) { f.geometry_.height = integerOf(p, f.name_); }},
      {"Caption", [](TForm& f, const Prop& p, const Class&) { f.geometry_.caption = textOf(p, f.name_, Kind::String); }},
      {"Color", [](TForm& f, const Prop& p, const Class&) { f.color_ = textOf(p, f.name_, Kind::Identifier); }},
      {"Font.Charset",
       [](TForm& f, const Prop& p, const Class&) { f.font_.charset = textOf(p, f.name_, Kind::Identifier); }},
      {"Font.Color", [](TForm& f, const Prop& p, const Class&) { f.font_.color = textOf(p, f.name_, Kind::Identifier); }},
      {"Font.Height", [](TForm& f, const Prop& p, const Class&) { f.font_.height = integerOf(p, f.name_); }},
      {"Font.Name", [](TForm& f, const Prop& p, const Class&) { f.font_.name = textOf(p, f.name_, Kind::String); }},
      {"Font.Style",
       [](TForm& f, const Prop& p, const Class&) {
         if (p.value.kind != Kind::Set) readError(f.name_, p.name, "Invalid property value");
         f.font_.style = p.value.items;
       }},
      {"OldCreateOrder", [](TForm& f, const Prop& p, const Class&) { f.oldCreateOrder_ = booleanOf(p, f.name_); }},
      {"PixelsPerInch", [](TForm& f, const Prop& p, const Class&) { f.pixelsPerInch_ = integerOf(p, f.name_); }},
      {"TextHeight", [](TForm& f, const Prop& p, const Class&) { f.textHeight_ = integerOf(p, f.name_); }},
      {"OnCreate",
       [](TForm& f, const Prop& p, const Class& c) { f.OnCreate = handlerFor<TNotifyEvent>(p, f.name_, c, f); }},
      {"OnResize",
       [](TForm& f, const Prop& p, const Class& c) { f.OnResize = handlerFor<TNotifyEvent>(p, f.name_, c, f); }},
      {"OnClose", [](TForm& f, const Prop& p, const Class& c) { f.OnClose = handlerFor<TCloseEvent>(p, f.name_, c, f); }},
      {"OnKeyDown",
       [](TForm& f, const Prop& p, const Class& c) { f.OnKeyDown = handlerFor<TKeyEvent>(p, f.name_, c, f); }},
      {"OnMouseWheel",
       [](TForm& f, const Prop& p, const Class& c) {
         f.OnMouseWheel = handlerFor<TMouseWheelEvent>(p, f.name_, c, f);
       }},
  };
  const auto setter = setters.find(p.name);
  if (setter == setters.end()) readError(name_, p.name, "Property " + p.name + " does not exist");
  setter->second(*this, p, formClass);
}

void TForm::createComponent(const ResourceObject& object, const FormClass& formClass) {
  if (object.className != "TTimer") throw Exception("Class " + object.className + " not found");
  const auto field = std::find_if(formClass.fields.begin(), formClass.fields.end(),
                                  [&](const PublishedField& f) { return f.name == object.name; });
  if (field == formClass.fields.end() || field->className != object.className)
    throw Exception("Field " + name_ + "." + object.name + " of class " + object.className + " not found");
  auto timer = std::make_unique<TTimer>(this);  // running from this moment
  for (const ResourceProperty& p : object.properties) applyTimerProperty(*timer, p, object.name, formClass, *this);
  pendingFields_.emplace_back(&*field, timer.get());
  components_.push_back(std::move(timer));
}
