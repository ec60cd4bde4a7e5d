#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include "platform/qt_dialogs.h"

namespace quorvin::platform {
namespace {

// Runs `answer` on the modal dialog once it is open.
template <class Dialog>
void WhenOpen(std::function<void(Dialog&)> answer) {
  QTimer::singleShot(0, [answer] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    answer(*dialog);
  });
}

TEST(QtDialogsTest, MessageBoxIsTheStandardBoxWithOneOkButton) {
  QtDialogs dialogs;
  bool seen = false;
  WhenOpen<QMessageBox>([&](QMessageBox& box) {
    seen = true;
    EXPECT_EQ(box.windowTitle(), QStringLiteral("信息："));
    EXPECT_EQ(box.text(), QStringLiteral("请先生成ICO图片"));
    EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
    EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
    EXPECT_EQ(box.parentWidget(), nullptr);
    EXPECT_EQ(box.windowModality(), Qt::ApplicationModal);
    box.button(QMessageBox::Ok)->click();
  });
  dialogs.ShowMessage(QStringLiteral("请先生成ICO图片"));
  EXPECT_TRUE(seen);
}

TEST(QtDialogsTest, OpenDialogTakesOnlyExistingFilesThroughTheFilter) {
  QtDialogs dialogs;
  WhenOpen<QFileDialog>([](QFileDialog& dialog) {
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(dialog.nameFilters(),
              QStringList{QStringLiteral("图片文件（*.jpg;*.bmp） (*.jpg *.bmp)")});
    EXPECT_TRUE(dialog.testOption(QFileDialog::HideNameFilterDetails));
    dialog.reject();
  });
  EXPECT_EQ(dialogs.ChooseFile(
                {.save = false, .filter = QStringLiteral("图片文件（*.jpg;*.bmp）|*.jpg;*.bmp")}),
            std::nullopt);
}

TEST(QtDialogsTest, SaveDialogAddsTheDefaultExtensionAndStartsFromTheOfferedName) {
  QTemporaryDir dir;
  QtDialogs dialogs;
  WhenOpen<QFileDialog>([&](QFileDialog& dialog) {
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("ico"));
    EXPECT_EQ(QDir(dialog.directory()).canonicalPath(), QDir(dir.path()).canonicalPath());
    dialog.selectFile(QStringLiteral("photo"));
    QMetaObject::invokeMethod(&dialog, "accept");  // as the dialog's own button does
  });
  const std::optional<QString> chosen = dialogs.ChooseFile({.save = true,
                                                            .fileName = dir.filePath("a.jpg"),
                                                            .filter = "图片文件（*.ico）|*.ico",
                                                            .defaultExtension = "ico"});
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(QFileInfo(*chosen).fileName(), QStringLiteral("photo.ico"));
}

struct FilterCase {
  const char* name;
  const char* filter;
  QStringList qt;
};

class FilterConversion : public testing::TestWithParam<FilterCase> {};

TEST_P(FilterConversion, GivesQtsNameFilters) {
  EXPECT_EQ(ToQtNameFilters(QString::fromUtf8(GetParam().filter)), GetParam().qt);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, FilterConversion,
    testing::Values(FilterCase{"open_pictures",
                               "图片文件（*.jpg;*.bmp）|*.jpg;*.bmp",
                               {QStringLiteral("图片文件（*.jpg;*.bmp） (*.jpg *.bmp)")}},
                    FilterCase{"save_icon",
                               "图片文件（*.ico）|*.ico",
                               {QStringLiteral("图片文件（*.ico） (*.ico)")}},
                    FilterCase{"two_pairs", "A|*.a|B|*.b;*.c", {"A (*.a)", "B (*.b *.c)"}},
                    FilterCase{"none", "", {}},
                    FilterCase{"description_without_pattern", "A|*.a|B", {"A (*.a)"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ExtensionCase {
  const char* name;
  const char* path;
  const char* extension;
  const char* result;
};

class DefaultExtension : public testing::TestWithParam<ExtensionCase> {};

TEST_P(DefaultExtension, IsAddedOnlyToANameWithoutOne) {
  const ExtensionCase& c = GetParam();
  EXPECT_EQ(WithDefaultExtension(QString::fromUtf8(c.path), QString::fromUtf8(c.extension)),
            QString::fromUtf8(c.result));
}

INSTANTIATE_TEST_SUITE_P(
    Names, DefaultExtension,
    testing::Values(ExtensionCase{"bare_name", "/home/u/photo", "ico", "/home/u/photo.ico"},
                    ExtensionCase{"has_one", "/home/u/photo.ico", "ico", "/home/u/photo.ico"},
                    ExtensionCase{"has_another", "/home/u/photo.png", "ico", "/home/u/photo.png"},
                    ExtensionCase{"dot_in_folder_only", "/home/u.v/photo", "ico",
                                  "/home/u.v/photo.ico"},
                    ExtensionCase{"no_default", "/home/u/photo", "", "/home/u/photo"},
                    ExtensionCase{"empty_path", "", "ico", ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvin::platform
