#pragma once
// The few pieces of JSON the page's bindings write: texts, "key":"value" members and flat
// objects of them. Every value is a text; the page's script reads numbers as the core wrote them.

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace tarnivel {

// "text", escaped for JSON; UTF-8 passes through.
void AppendJson(std::string& out, std::string_view text);
// "key":"value"
void AppendMember(std::string& out, std::string_view key, std::string_view value);
// {"key":"value",...}, after a comma when it follows another object in a list.
void AppendObject(std::string& out,
                  std::initializer_list<std::pair<std::string_view, std::string_view>> members);

}  // namespace tarnivel
