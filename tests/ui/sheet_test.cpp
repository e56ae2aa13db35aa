// 计算书… in the main window: the sheet of the strip's pipe after a diameter calculation, with
// the open section's line, written as PDF and HTML.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "core/sheet/sheet_html.h"
#include "tests/ui/recording_messages.h"
#include "ui/drop_section.h"
#include "ui/main_window.h"
#include "ui/pipe_strip.h"
#include "ui/sheet/sheet_dialog.h"

namespace tarnivel {
namespace {

TEST(SheetAction, TheStripsPipeWithTheSectionsLine) {
  QSettings(QStringLiteral("Tarnivel"), QStringLiteral("Tarnivel")).clear();
  RecordingMessages messages;
  MainWindow window{messages};
  auto* action = window.findChild<QAction*>("sheet");
  ASSERT_NE(action, nullptr);
  EXPECT_EQ(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
  const auto* strip = window.findChild<PipeStrip*>();
  const auto text = [&window](const char* name, const char* value) {
    window.findChild<QLineEdit*>(name)->setText(QString::fromUtf8(value));
  };
  text("TP", "0.005");
  text("TV", "10");
  text("TM", "50");
  EXPECT_FALSE(strip->SheetOf({}, std::nullopt)) << "no diameter calculation yet";
  QTest::mouseClick(window.findChild<QPushButton*>("dia"), Qt::LeftButton);
  DropParameters line;
  line[DropQuantity::Length] = "200";
  line[DropQuantity::MaxDrop] = "1";
  line[DropQuantity::Temperature] = " ";  // blank: the default
  struct Case {
    std::optional<DropParameters> line;
    const char* file;
    std::vector<std::string> texts;
  };
  const Case cases[] = {
      {std::nullopt, "a.html", {"de63", "6.37473436655638", "合格"}},
      {line, "b.html", {"de75", "0.00424824975298502", "默认值"}},
      {line, "c.pdf", {}},
  };
  QTemporaryDir folder;
  for (const Case& c : cases) {
    const std::optional<Sheet> sheet = strip->SheetOf({}, c.line);
    ASSERT_TRUE(sheet);
    const std::string html = SheetHtml(*sheet);
    for (const std::string& want : c.texts) EXPECT_NE(html.find(want), std::string::npos) << want;
    const QString path = folder.filePath(QString::fromLatin1(c.file));
    EXPECT_EQ(WriteSheetFile(path, *sheet), QString());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(5), path.endsWith(".pdf") ? "%PDF-" : "<!DOC");
  }
  EXPECT_FALSE(WriteSheetFile(folder.filePath("none/d.html"), *strip->SheetOf({}, line)).isEmpty());
  text("TP", "0.3");  // changed since: the strip no longer describes a result
  EXPECT_FALSE(strip->SheetOf({}, std::nullopt));
}

}  // namespace
}  // namespace tarnivel
