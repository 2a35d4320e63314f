// The text form of a stored form resource: nested objects with properties.
//
//   object ViewPort: TViewPort
//     Caption = 'Galaxy'
//     object Timer: TTimer
//       Interval = 10
//     end
//   end
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct ResourceValue {
  enum class Kind { Integer, String, Identifier, Set };
  Kind kind = Kind::Integer;
  int64_t integer = 0;
  std::string text;                // String and Identifier
  std::vector<std::string> items;  // Set
};

struct ResourceProperty {
  std::string name;  // dotted for nested properties: Font.Height
  ResourceValue value;
  int line = 0;
};

struct ResourceObject {
  std::string name;
  std::string className;
  std::vector<ResourceProperty> properties;
  std::vector<ResourceObject> children;
  int line = 0;
};

// Throws Exception naming the line of the first error.
ResourceObject parseFormResource(std::string_view text);
