#include "core/fields.h"

namespace tarnivel {

std::string_view PromptText(Prompt prompt) {
  switch (prompt) {
    case Prompt::EnterDiameter:
      return "请输入流通直径";
    case Prompt::EnterCompleteData:
      return "请输入完整数据";
    case Prompt::None:
      break;
  }
  return {};
}

std::string_view FaultDescription(FaultKind kind) {
  switch (kind) {
    case FaultKind::Overflow:
      return "溢出";
    case FaultKind::DivisionByZero:
      return "除数为零";
    case FaultKind::InvalidArgument:
      return "无效的过程调用或参数";
  }
  return {};
}

}  // namespace tarnivel
