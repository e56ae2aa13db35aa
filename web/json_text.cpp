#include "web/json_text.h"

#include <cstdio>

namespace tarnivel {

void AppendJson(std::string& out, std::string_view text) {
  out += '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", byte);
      out += escape;
    } else {
      out += c;
    }
  }
  out += '"';
}

void AppendMember(std::string& out, std::string_view key, std::string_view value) {
  AppendJson(out, key);
  out += ':';
  AppendJson(out, value);
}

void AppendObject(std::string& out,
                  std::initializer_list<std::pair<std::string_view, std::string_view>> members) {
  if (!out.empty() && out.back() == '}') out += ',';
  out += '{';
  for (const auto& [key, value] : members) {
    if (out.back() != '{') out += ',';
    AppendMember(out, key, value);
  }
  out += '}';
}

}  // namespace tarnivel
