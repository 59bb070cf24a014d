#include "windows/argumentos.h"

#include <gtest/gtest.h>

using cartulo::windows::Argumentos;

TEST(Argumentos, NormalisesSingleValuesNullAndArrays) {
    EXPECT_EQ(Argumentos().Count(), 0);
    EXPECT_EQ(Argumentos(QVariant()).Count(), 0);
    EXPECT_EQ(Argumentos(QString()).Count(), 1);  // an empty text is still an argument
    const Argumentos one("ruta con blancos");
    EXPECT_EQ(one.Count(), 1);
    EXPECT_EQ(one.Text(), "ruta con blancos");
    EXPECT_FALSE(one.At(2).isValid());
    const auto two = Argumentos::FromArray({2, "a", 3});
    EXPECT_EQ(two.Count(), 2);
    EXPECT_EQ(two.At(2).toInt(), 3);
    const Argumentos asVariant(QVariant(QVariantList{2, "a", 3}));
    EXPECT_EQ(asVariant.Count(), 2);
    EXPECT_EQ(asVariant.Text(), "a");
    EXPECT_EQ(Argumentos::FromArray({5, "a"}).Count(), 0);
    EXPECT_EQ(Argumentos::FromArray({}).Count(), 0);
    EXPECT_EQ(Argumentos::FromArray({"x", "a"}).Count(), 0);
}
