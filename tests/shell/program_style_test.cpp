#include "shell/program_style.h"

#include <QIcon>
#include <QImage>
#include <QStyleFactory>
#include <memory>

#include <gtest/gtest.h>

namespace cartulo::shell {
namespace {

QImage imageOf(const QIcon& icon) {
    return icon.pixmap(24).toImage();
}

TEST(EstiloPrograma, DrawsThePicturesOfEveryStartAndLeavesTheRestToTheDesktopStyle) {
    EstiloPrograma style;
    const std::unique_ptr<QStyle> desktop(QStyleFactory::create(style.baseStyle()->name()));
    ASSERT_NE(desktop, nullptr);
    for (const QStyle::StandardPixmap drawn :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton,
          QStyle::SP_TitleBarMenuButton, QStyle::SP_TitleBarMinButton, QStyle::SP_TitleBarMaxButton,
          QStyle::SP_TitleBarNormalButton, QStyle::SP_TitleBarCloseButton}) {
        SCOPED_TRACE(drawn);
        const QImage ours = imageOf(style.standardIcon(drawn));
        ASSERT_FALSE(ours.isNull());
        EXPECT_NE(ours, imageOf(desktop->standardIcon(drawn)));
    }
    EXPECT_EQ(imageOf(style.standardIcon(QStyle::SP_DialogOkButton)),
              imageOf(desktop->standardIcon(QStyle::SP_DialogOkButton)));
}

}  // namespace
}  // namespace cartulo::shell
