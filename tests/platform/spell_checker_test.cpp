#include "platform/spell_checker.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace cartulo::platform {
namespace {

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// "pingüino" and "árbol" are the same bytes in these three encodings.
TEST(SpellChecker, ReadsEightBitDictionariesAndAPersonalListWithAByteOrderMark) {
    QTemporaryDir dir;
    write(dir.filePath("palabras.txt"), "\xEF\xBB\xBFkasa\n");
    for (const char* encoding : {"ISO8859-15", "ISO8859-16", "microsoft-cp1252"}) {
        write(dir.filePath("xx.aff"), QByteArray("SET ") + encoding + "\nTRY aeinou\xFC\n");
        write(dir.filePath("xx.dic"), "2\nping\xFCino\n\xE1rbol\n");
        const SpellChecker::Loaded loaded =
            SpellChecker::Load(dir.path(), "xx", dir.filePath("palabras.txt"));
        ASSERT_TRUE(loaded.checker) << encoding << " " << loaded.problem.toStdString();
        SpellChecker& checker = *loaded.checker;
        EXPECT_TRUE(checker.Correct("pingüino") && checker.Correct("árbol")) << encoding;
        EXPECT_TRUE(checker.Correct("kasa")) << encoding;
        EXPECT_FALSE(checker.Correct("pinguino")) << encoding;
        EXPECT_EQ(checker.Suggestions("pinguino"), QStringList{"pingüino"}) << encoding;
    }
}

}  // namespace
}  // namespace cartulo::platform
