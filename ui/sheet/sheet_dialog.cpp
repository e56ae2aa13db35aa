#include "ui/sheet/sheet_dialog.h"

#include <QCheckBox>
#include <QDate>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QSaveFile>
#include <QSettings>
#include <QUrl>
#include <array>

#include "core/sheet/sheet_html.h"
#include "tarnivel_version.h"
#include "ui/language.h"
#include "ui/sheet/sheet_pdf.h"

namespace tarnivel {
namespace {

QSettings Settings() { return QSettings(QStringLiteral("Tarnivel"), QStringLiteral("Tarnivel")); }

std::string SheetTitleBlock::*Member(int i) {
  constexpr std::array<std::string SheetTitleBlock::*, 3> members = {
      &SheetTitleBlock::project, &SheetTitleBlock::line, &SheetTitleBlock::designer};
  return members[static_cast<std::size_t>(i)];
}

class SheetDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit SheetDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("计算书"));
    auto* form = new QFormLayout(this);
    const QSettings settings = Settings();
    const std::array<std::pair<const char*, QString>, 3> fields = {
        std::pair{"sheet/project", tr("工程名称")}, std::pair{"sheet/line", tr("管线名称")},
        std::pair{"sheet/designer", tr("设计人")}};
    for (std::size_t i = 0; i < fields.size(); ++i) {
      boxes_[i] = new QLineEdit(settings.value(QString::fromLatin1(fields[i].first)).toString());
      boxes_[i]->setAccessibleName(fields[i].second);
      form->addRow(fields[i].second, boxes_[i]);
    }
    preview_ = new QCheckBox(tr("保存后打开预览"));
    preview_->setChecked(settings.value(QStringLiteral("sheet/preview"), true).toBool());
    form->addRow(preview_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
  }

  // What was typed, remembered for the next sheet.
  SheetTitleBlock Remember() const {
    QSettings settings = Settings();
    SheetTitleBlock title;
    constexpr std::array<const char*, 3> keys = {"sheet/project", "sheet/line", "sheet/designer"};
    for (std::size_t i = 0; i < keys.size(); ++i) {
      settings.setValue(QString::fromLatin1(keys[i]), boxes_[i]->text());
      title.*Member(static_cast<int>(i)) = boxes_[i]->text().toStdString();
    }
    settings.setValue(QStringLiteral("sheet/preview"), preview_->isChecked());
    return title;
  }
  bool Preview() const { return preview_->isChecked(); }

 private:
  std::array<QLineEdit*, 3> boxes_{};
  QCheckBox* preview_;
};

}  // namespace

SheetLanguage WindowSheetLanguage() {
  const QLocale::Language language = QLocale().language();
  return language == QLocale::Chinese || language == QLocale::C ? SheetLanguage::Chinese
                                                                : SheetLanguage::English;
}

QString WriteSheetFile(const QString& path, const Sheet& sheet) {
  QByteArray bytes;
  if (QFileInfo(path).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0) {
    bytes = SheetPdf(Text(SheetHtml(sheet, SheetHtmlForm::RichText)),
                     Text(kPageNumberPattern.In(sheet.stamp.language)), Text(SheetTitle(sheet)));
    if (bytes.isEmpty()) return SheetDialog::tr("PDF 未能排版");
  } else {
    bytes = QByteArray::fromStdString(SheetHtml(sheet));
  }
  QSaveFile file(path);  // written beside it, then renamed: never half a sheet
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    return file.errorString();
  }
  return {};
}

void SaveSheet(QWidget* parent, const std::function<Sheet(const SheetStamp&)>& build) {
  SheetDialog dialog(parent);
  if (dialog.exec() != QDialog::Accepted) return;
  SheetStamp stamp;
  stamp.language = WindowSheetLanguage();
  stamp.title = dialog.Remember();
  stamp.program = std::string("Tarnivel ") + kTarnivelVersion;
  stamp.date = QDate::currentDate().toString(Qt::ISODate).toStdString();
  const QString pdf = SheetDialog::tr("PDF 文件 (*.pdf)"), html = SheetDialog::tr("HTML 文件 (*.html)");
  QString filter = pdf;
  QString path = QFileDialog::getSaveFileName(parent, SheetDialog::tr("保存计算书"),
                                              SheetDialog::tr("计算书") + QStringLiteral(".pdf"),
                                              pdf + QStringLiteral(";;") + html, &filter);
  if (path.isEmpty()) return;
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix != QStringLiteral("pdf") && suffix != QStringLiteral("html") &&
      suffix != QStringLiteral("htm")) {
    path += filter == html ? QStringLiteral(".html") : QStringLiteral(".pdf");
  }
  if (const QString error = WriteSheetFile(path, build(stamp)); !error.isEmpty()) {
    QMessageBox::warning(parent, SheetDialog::tr("计算书"),
                         SheetDialog::tr("计算书未能保存：%1").arg(error));
    return;
  }
  if (dialog.Preview()) QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace tarnivel

#include "sheet_dialog.moc"
