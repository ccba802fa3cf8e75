#include <gtest/gtest.h>

#include <QCoreApplication>

namespace {

// The choosers' and the overwrite prompt's own texts come from Qt.
TEST(Toolkit, SpeaksGerman)
{
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Open").toStdString(), "\xC3\x96" "ffnen");
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?").toStdString(),
              "Die Datei %1 existiert bereits.\nSoll sie \xC3\xBC" "berschrieben werden?");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Close").toStdString(), "Schlie\xC3\x9F" "en");
}

}  // namespace
