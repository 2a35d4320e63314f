// What a form class publishes for its resource: its fields for components and
// its event handlers, looked up by name when the resource is loaded.
#pragma once
#include <functional>
#include <span>
#include <string_view>
#include <utility>
#include <variant>

#include "platform/forms/form_types.h"

class TForm;

using PublishedHandler = std::variant<TNotifyEvent, TCloseEvent, TKeyEvent, TMouseWheelEvent>;

struct PublishedMethod {
  std::string_view name;
  // The handler bound to that form. Binding happens while the form's base
  // is being constructed, so the handler looks up the derived class only
  // when it is called.
  PublishedHandler (*bind)(TForm& form);
};

struct PublishedField {
  std::string_view name;
  std::string_view className;
  // Called once the whole form has been constructed.
  void (*assign)(TForm& form, TComponent* component);
};

// A form class as its resource sees it.
struct FormClass {
  std::string_view className;
  std::string_view resource;  // the stored form resource text
  std::span<const PublishedField> fields;
  std::span<const PublishedMethod> methods;
};

namespace published_detail {

template <class M>
struct MethodTraits;

template <class C, class... A>
struct MethodTraits<void (C::*)(A...)> {
  using Class = C;
  template <auto Method>
  static PublishedHandler bind(TForm& form) {
    TForm* self = &form;
    // Only the event signatures of the form library fit the variant.
    return PublishedHandler(std::in_place_type<std::function<void(A...)>>,
                            [self](A... args) { (static_cast<C*>(self)->*Method)(std::forward<A>(args)...); });
  }
};

template <class M>
struct FieldTraits;

template <class C, class T>
struct FieldTraits<T* C::*> {
  using Class = C;
  using Component = T;
};

}  // namespace published_detail

// publishMethod<&TViewPort::FormCreate>("FormCreate")
template <auto Method>
constexpr PublishedMethod publishMethod(std::string_view name) {
  using Traits = published_detail::MethodTraits<decltype(Method)>;
  return {name, &Traits::template bind<Method>};
}

// publishField<&TViewPort::Timer>("Timer", "TTimer")
template <auto Field>
constexpr PublishedField publishField(std::string_view name, std::string_view className) {
  using Traits = published_detail::FieldTraits<decltype(Field)>;
  return {name, className, [](TForm& form, TComponent* component) {
            static_cast<typename Traits::Class&>(form).*Field = static_cast<typename Traits::Component*>(component);
          }};
}
