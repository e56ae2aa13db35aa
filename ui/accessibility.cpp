#include "ui/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QWidget>

#include "ui/language.h"

namespace tarnivel {
namespace {

// The window with the children a reader should see: those not hidden on purpose.
class WindowAccessible final : public QAccessibleWidget {
 public:
  explicit WindowAccessible(QWidget* window) : QAccessibleWidget(window, QAccessible::Window) {}

  int childCount() const override { return static_cast<int>(Exposed().size()); }
  QAccessibleInterface* child(int index) const override {
    const QList<QWidget*> children = Exposed();
    if (index < 0 || index >= children.size()) return nullptr;
    return QAccessible::queryAccessibleInterface(children.at(index));
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (child == nullptr) return -1;
    return static_cast<int>(Exposed().indexOf(qobject_cast<QWidget*>(child->object())));
  }

 private:
  QList<QWidget*> Exposed() const {
    QList<QWidget*> exposed;
    for (QWidget* child : widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      const bool hidden_on_purpose =
          child->testAttribute(Qt::WA_WState_ExplicitShowHide) && child->isHidden();
      if (!child->isWindow() && !hidden_on_purpose) exposed.append(child);
    }
    return exposed;
  }
};

// The class whose windows get the view above; set once, before the first window is shown.
const QMetaObject* exposed_class = nullptr;

QAccessibleInterface* Factory(const QString& class_name, QObject* object) {
  // Qt asks with the name of each class the object is, from its own up to QObject.
  if (exposed_class != nullptr && object != nullptr && object->isWidgetType() &&
      class_name == QLatin1String(exposed_class->className())) {
    return new WindowAccessible(static_cast<QWidget*>(object));
  }
  return nullptr;
}

}  // namespace

void ExposeToReaders(const QMetaObject& window) {
  exposed_class = &window;
  static const bool installed = (QAccessible::installFactory(&Factory), true);
  (void)installed;
}

QString SpokenName(std::string_view quantity, std::string_view display_unit) {
  const QString word = CoreText(quantity);
  if (display_unit.empty()) return word;
  //: A field's name for screen readers: %1 the quantity, %2 its unit.
  return QCoreApplication::translate("tarnivel::Accessibility", "%1 %2")
      .arg(word,
           QString::fromUtf8(display_unit.data(), static_cast<qsizetype>(display_unit.size())));
}

QString SpokenName(const InputField& input) {
  return SpokenName(input.quantity, input.display_unit);
}

}  // namespace tarnivel
