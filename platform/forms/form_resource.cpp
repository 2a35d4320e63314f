// A small line-oriented parser for form resources.
#include "platform/forms/form_resource.h"

#include <cctype>
#include <charconv>

#include "platform/forms/form_types.h"

namespace {

std::string_view trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

bool isIdentifier(std::string_view s, bool dotted) {
  if (s.empty() || !(std::isalpha(static_cast<unsigned char>(s[0])) || s[0] == '_')) return false;
  for (char c : s)
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_' || (dotted && c == '.'))) return false;
  return true;
}

class Parser {
 public:
  explicit Parser(std::string_view text) : rest_(text) {}

  ResourceObject parseRoot() {
    if (!nextLine()) fail("the resource is empty");
    ResourceObject root = parseObject();
    if (nextLine()) fail("text after the final 'end'");
    return root;
  }

 private:
  [[noreturn]] void fail(const std::string& what) const {
    throw Exception("Form resource, line " + std::to_string(lineNumber_) + ": " + what);
  }

  // Moves to the next non-blank line; false at the end.
  bool nextLine() {
    while (!rest_.empty()) {
      const size_t end = rest_.find('\n');
      line_ = trim(rest_.substr(0, end));
      rest_ = end == std::string_view::npos ? std::string_view{} : rest_.substr(end + 1);
      ++lineNumber_;
      if (!line_.empty()) return true;
    }
    return false;
  }

  ResourceObject parseObject() {
    ResourceObject object;
    object.line = lineNumber_;
    if (!line_.starts_with("object ")) fail("expected 'object Name: Class'");
    const std::string_view header = line_.substr(7);
    const size_t colon = header.find(':');
    if (colon == std::string_view::npos) fail("expected 'object Name: Class'");
    object.name = trim(header.substr(0, colon));
    object.className = trim(header.substr(colon + 1));
    if (!isIdentifier(object.name, false) || !isIdentifier(object.className, false)) fail("bad object header");
    for (;;) {
      if (!nextLine()) fail("missing 'end' of object " + object.name);
      if (line_ == "end") return object;
      if (line_.starts_with("object "))
        object.children.push_back(parseObject());
      else
        object.properties.push_back(parseProperty());
    }
  }

  ResourceProperty parseProperty() {
    const size_t equals = line_.find('=');
    if (equals == std::string_view::npos) fail("expected 'Property = value'");
    ResourceProperty property;
    property.line = lineNumber_;
    property.name = trim(line_.substr(0, equals));
    if (!isIdentifier(property.name, true)) fail("bad property name '" + property.name + "'");
    property.value = parseValue(trim(line_.substr(equals + 1)));
    return property;
  }

  ResourceValue parseValue(std::string_view s) {
    ResourceValue v;
    if (s.starts_with('\'')) {
      v.kind = ResourceValue::Kind::String;
      v.text = parseString(s);
    } else if (s.starts_with('[')) {
      v.kind = ResourceValue::Kind::Set;
      v.items = parseSet(s);
    } else if (isIdentifier(s, true)) {
      v.kind = ResourceValue::Kind::Identifier;
      v.text = s;
    } else {
      v.kind = ResourceValue::Kind::Integer;
      const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), v.integer);
      if (error != std::errc{} || end != s.data() + s.size()) fail("bad value '" + std::string(s) + "'");
    }
    return v;
  }

  // 'text' with '' for a quote inside.
  std::string parseString(std::string_view s) {
    std::string out;
    size_t i = 1;
    for (; i < s.size(); ++i) {
      if (s[i] != '\'') {
        out += s[i];
      } else if (i + 1 < s.size() && s[i + 1] == '\'') {
        out += '\'';
        ++i;
      } else {
        break;
      }
    }
    if (i != s.size() - 1) fail("bad string " + std::string(s));
    return out;
  }

  std::vector<std::string> parseSet(std::string_view s) {
    if (!s.ends_with(']')) fail("missing ']'");
    std::vector<std::string> items;
    std::string_view inner = trim(s.substr(1, s.size() - 2));
    while (!inner.empty()) {
      const size_t comma = inner.find(',');
      const std::string_view item = trim(inner.substr(0, comma));
      if (!isIdentifier(item, false)) fail("bad set element '" + std::string(item) + "'");
      items.emplace_back(item);
      inner = comma == std::string_view::npos ? std::string_view{} : inner.substr(comma + 1);
    }
    return items;
  }

  std::string_view rest_;
  std::string_view line_;
  int lineNumber_ = 0;
};

}  // namespace

ResourceObject parseFormResource(std::string_view text) { return Parser(text).parseRoot(); }
