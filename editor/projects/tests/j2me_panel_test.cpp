// The J2ME options panel on its own: its boxes in order, and each click copying all five into the flags.
#include "j2me_panel.h"

#include <gtest/gtest.h>

#include <QCheckBox>

#include "references.h"

namespace editor {
namespace {

struct Flags {
    bool include, mappy, floats, mm, threeD;
    bool operator==(const Flags&) const = default;
};

Flags flags(const References& references) {
    return {references.usesInclude, references.usesMappy, references.usesFloats, references.usesMM,
            references.uses3D};
}

TEST(J2MEPanel, EachClickCopiesEveryBoxAndDisablingKeepsTicksAndFlags) {
    References references;
    J2MEPanel panel(references);
    const auto box = [&panel](int n) { return panel.findChild<QCheckBox*>(QString("checkbox%1").arg(n)); };
    const QList<QCheckBox*> boxes{box(1), box(2), box(3), box(4), box(5)};
    QStringList texts;
    for (QCheckBox* box : boxes) {
        texts << box->text();
        EXPECT_FALSE(box->isEnabled());
        EXPECT_FALSE(box->isChecked());
        box->setEnabled(true);
    }
    EXPECT_EQ(texts, QStringList({"Include the Tesvo Zorid API*", "Include the Mappy API*",
                                  "Enable Float Support", "Enable Multimedia Support", "Enable 3D Support"}));
    EXPECT_EQ(panel.minimumSize(), panel.windowSize());

    box(3)->click();
    EXPECT_EQ(flags(references), Flags({false, false, true, false, false}));
    box(5)->click();
    box(5)->click();
    EXPECT_EQ(flags(references), Flags({false, false, true, false, false}));
    // A flag set behind the boxes' back is taken back to the boxes at the next click.
    references.usesMM = true;
    box(1)->click();
    EXPECT_EQ(flags(references), Flags({true, false, true, false, false}));

    for (QCheckBox* box : boxes) box->setEnabled(false);
    EXPECT_TRUE(box(1)->isChecked() && box(3)->isChecked());
    EXPECT_EQ(flags(references), Flags({true, false, true, false, false}));
}

}  // namespace
}  // namespace editor
