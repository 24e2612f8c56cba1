#include "platform/ui/clipboard.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>

namespace lattora {
namespace {

TEST(QtClipboardTest, PlacesThePictureOnTheApplicationsClipboardAndClearsIt) {
    QtClipboard clipboard;
    QImage picture(5, 4, QImage::Format_RGB32);
    picture.fill(Qt::green);
    picture.setPixel(1, 2, qRgb(10, 20, 30));
    ASSERT_TRUE(clipboard.setImage(picture));
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), picture);
    ASSERT_TRUE(clipboard.clear());
    EXPECT_TRUE(QGuiApplication::clipboard()->image().isNull());
}

TEST(QtClipboardTest, RefusesANullPicture) {
    QtClipboard clipboard;
    EXPECT_FALSE(clipboard.setImage(QImage()));
}

}  // namespace
}  // namespace lattora
