#include "shell/qttranslations.h"

#include <QDialogButtonBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

TEST(QtTranslationsTest, StandardButtonsSpeakPortuguese) {
    const QtTranslations translations;
    if (!translations.Loaded())
        GTEST_SKIP() << "Qt's pt_BR translations are not installed (tools/setup installs them)";
    const QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Cancelar"));
}

} // namespace
