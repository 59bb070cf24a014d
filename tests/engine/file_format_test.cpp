// The card file on disk: bytes written and read, and the reader's failures.
#include <map>
#include <memory>

#include "engine/file_snapshot.h"
#include "test_support.h"

namespace cartulo {
namespace {

using namespace test;

// Every card by entry: its text and the entries of its sisters.
using Snapshot = std::map<std::string, std::pair<std::string, std::set<std::string>>>;
Snapshot Snap(const cCartulo& ctu) {
    Snapshot s;
    for (CardId c = ctu.FirstCard(); c != kNoCard; c = ctu.NextCard(c)) {
        std::set<std::string> sisters;
        for (CardId k : ctu.GetSisters(c)) sisters.insert(ctu.GetNtry(k));
        s[ctu.GetNtry(c)] = {ctu.GetTxt(c), sisters};
    }
    return s;
}

class FileFormatTest : public test::TempDirTest {
  protected:
    // Saves a changed store to a new file and returns its bytes.
    std::string SaveBytes(cCartulo& ctu, const std::string& name) {
        EXPECT_TRUE(ctu.SaveFile(Path(name))) << ctu.LastError().description;
        return ReadBytes(Path(name));
    }
    // Saves, reads back into `again` and compares every card.
    void ExpectRoundTrip(cCartulo& ctu, cCartulo& again, const std::string& name) {
        const Snapshot before = Snap(ctu);
        ctu.SetChanged();
        ASSERT_TRUE(ctu.SaveFile(Path(name))) << ctu.LastError().description;
        ASSERT_TRUE(again.OpenFile(Path(name))) << again.LastError().description;
        EXPECT_EQ(Snap(again), before);
        EXPECT_EQ(again.CheckHeaps(), std::nullopt);
    }
    // After a failed open: an empty new file that still works in every way.
    void ExpectUsableAfterFailure(cCartulo& ctu) {
        EXPECT_TRUE(ctu.LastError().code != 0 && !ctu.LastError().description.empty());
        EXPECT_EQ((Log{ctu.GetFileName(), ctu.GetFileTitle()}), (Log{"", "NUEVO CARTULO"}));
        EXPECT_TRUE(ctu.CardCount() == 1 && !ctu.GetChanged() && !ctu.CheckHeaps());
        const CardId c = ctu.NewCard("Despu\xE9s");
        ASSERT_GT(c, 0);
        ctu.SetTxt(c, "sigue");
        ctu.NewAlias(c, "Hermana");
        cCartulo again;
        ExpectRoundTrip(ctu, again, "despues.ctu");
        EXPECT_EQ(again.CardCount(), 3);
    }
};

TEST_F(FileFormatTest, BytesWrittenAndReadBack) {
    const std::string entry(99, 'e'), text(99999, 't');
    const struct {
        std::function<void(cCartulo&)> build;
        std::string bytes;
    } cases[] = {
        {[](cCartulo&) {}, "0    \r\n0 1    T\r\n"},  // only the main card
        {[](cCartulo& c) {
             c.SetTxt(c.GetMain(), "Agenda");
             c.SetTxt(c.NewAlias(c.NewCard("Pan2"), "Pan"), "x");  // Pan is first in the list
         },
         kAgenda},
        {[](cCartulo& c) {  // three sisters store the text once
             const CardId a = c.NewCard("A");
             c.SetTxt(a, "comun");
             c.NewAlias(a, "B");
             c.NewAlias(a, "C");
         },
         "3    \r\n0 1    T\r\n1 C5    comun\r\n1 B3    @@C\r\n1 A3    @@C\r\n"},
        {[](cCartulo& c) { c.NewAlias(c.GetMain(), "M2"); },
         "1    \r\n0 1    T\r\n2 M22    @@\r\n"},
        {[&](cCartulo& c) { c.SetTxt(c.NewCard(entry), text); },  // fields filled
         "1    \r\n0 1    T\r\n99" + entry + "99999" + text + "\r\n"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        cCartulo ctu, loaded;
        ctu.NewFile("T");
        ctu.SetChanged();  // a new file is saved only once marked changed
        cases[i].build(ctu);
        EXPECT_EQ(SaveBytes(ctu, "w.ctu"), cases[i].bytes);
        ASSERT_TRUE(loaded.OpenFile(Path("w.ctu")));
        EXPECT_EQ(Snap(loaded), Snap(ctu));
        EXPECT_EQ(loaded.CheckHeaps(), std::nullopt);
        if (i == 2) {
            const CardId la = loaded.SrchNtry("A"), lb = loaded.SrchNtry("B");
            EXPECT_EQ(loaded.GetSisters(loaded.SrchNtry("C")),
                      (std::vector<CardId>{la, lb, loaded.SrchNtry("C")}));
        }
    }
}

// A picture encodes what a save would have written when it was taken, however
// the file changed before and after.
TEST_F(FileFormatTest, PicturesEncodeTheFileAsItWas) {
    cCartulo ctu;
    ctu.NewFile("T");
    FileSnapshots pictures(ctu);
    CardId a = ctu.NewCard("A"), b = kNoCard;
    const std::vector<std::function<void()>> steps = {
        [] {},
        [&] { ctu.SetTxt(a, "uno"); },
        [&] { b = ctu.NewAlias(a, "B"); },
        [&] { ctu.SetTxt(b, "dos"); },
        [&] { ctu.DelCard(b); },  // the sister that held the text
        [&] { ctu.SetNtry(a, "a2"); },
        [&] { ctu.SetTxt(ctu.GetMain(), "Titulo"); },
        [&] { ctu.DelCard(a), a = ctu.NewCard("C"); },
        [&] { ctu.SetTxt(a, "cuatro"), ctu.SetTxt(a, "cinco"), ctu.NewCard("D"); },
        [&] { ctu.OpenFile(std::string(CARTULO_TEST_DATA) + "/agenda.ctu"); },
        [&] { ctu.SetTxt(ctu.SrchNtry("Pan"), "y"); },
        [&] { pictures.Forget(), ctu.SetTxt(ctu.SrchNtry("Pan"), "z"); },
        [&] { ctu.NewFile("Otro"); },
    };
    std::vector<std::pair<std::shared_ptr<const FileSnapshot>, std::string>> taken;
    for (std::size_t step = 0; step < steps.size(); ++step) {
        steps[step]();
        std::string saved, encoded;
        ASSERT_EQ(ctu.EncodeFile(saved), std::nullopt);
        const auto picture = pictures.Take();
        EXPECT_EQ(picture->Encode(encoded), std::nullopt);
        EXPECT_EQ(encoded, saved) << "step " << step;
        taken.emplace_back(picture, saved);
    }
    for (const auto& [picture, saved] : taken) {
        std::string encoded;
        picture->Encode(encoded);
        EXPECT_EQ(encoded, saved);
    }
}

TEST_F(FileFormatTest, CardListOrderAcrossSaveLoadSave) {
    cCartulo ctu;
    ctu.NewFile("T");
    ctu.NewCard("X");
    SaveBytes(ctu, "a.ctu");
    EXPECT_EQ(ctu.FirstCard(), ctu.GetMain());  // the writer moved it to the head
    ctu.NewCard("A");
    ASSERT_EQ(ListOrder(ctu), (Log{"A", "", "X"}));
    EXPECT_EQ(SaveBytes(ctu, "b.ctu"), "2    \r\n0 1    T\r\n1 A0    \r\n1 X0    \r\n");
    cCartulo loaded;
    ASSERT_TRUE(loaded.OpenFile(Path("b.ctu")));
    EXPECT_EQ(ListOrder(loaded), (Log{"X", "A", ""}));
}

TEST_F(FileFormatTest, EverythingStorableComesBackAfterSaveAndReload) {
    std::string allBytes;
    for (int b = 0; b < 256; ++b) allBytes.push_back(static_cast<char>(b));
    cCartulo ctu, loaded, again;
    ctu.NewFile("T\xEDtulo {b}de prueba\r\nsegunda l\xEDnea");
    const CardId a = ctu.NewCard("\xC1rbol");
    ctu.SetTxt(a, allBytes);
    ctu.NewAlias(a, "rbol con CR LF\r\nen la entrada");
    const CardId at = ctu.NewCard("@@raro");
    ctu.SetTxt(at, "x@@y");
    ctu.NewAlias(at, "Hermana de @@raro");  // stored as "@@@@raro"
    ctu.SetTxt(ctu.NewCard(" Oculta"), "\r\n");
    ctu.SetTxt(ctu.NewCard("Ficha maestra"), "Tel: ");
    ctu.NewAlias(ctu.GetMain(), "Otra principal");
    ctu.DelCard(ctu.NewCard("Borrada"));
    ctu.DelCard(a);  // its sister keeps the text
    ExpectRoundTrip(ctu, loaded, "r1.ctu");
    ExpectRoundTrip(loaded, again, "r2.ctu");
}

TEST_F(FileFormatTest, LenientFilesAreRead) {
    std::string thirteen = "12   \r\n" + Record("", "T");
    for (int i = 0; i < 12; ++i) thirteen += Record("c" + std::to_string(i), "x");
    // clang-format off
    const struct {
        const char* what;
        std::string bytes;
        int cards;
    } cases[] = {
        {"header with spaces around", " 1   \r\n0 1    T\r\n1 A1    a\r\n", 2},
        {"line ends not checked", "1    XY0 1    TZZ1 A1    aWW", 2},
        {"length fields with spaces", "1    \r\n0  1   T\r\n 1A  1  a\r\n", 2},
        {"trailing bytes ignored", "1    \r\n0 1    T\r\n1 A1    a\r\nbasura", 2},
        {"header of twelve, thirteen records", thirteen, 13},
        {"a later main record replaces the text", "1    \r\n0 1    A\r\n0 1    T\r\n", 1}};
    // clang-format on
    for (const auto& c : cases) {
        WriteBytes(Path("f.ctu"), c.bytes);
        cCartulo ctu;
        ASSERT_TRUE(ctu.OpenFile(Path("f.ctu"))) << c.what << ctu.LastError().description;
        EXPECT_EQ(ctu.GetFileTitle(), "T") << c.what;
        EXPECT_EQ(ctu.CardCount(), c.cards) << c.what;
        EXPECT_EQ(ctu.GetTxtFromNtry("A"), c.cards == 2 ? "a" : "") << c.what;
    }
}

// Files this program would not write: reading them may fail, but no card
// and no text may be lost or exchanged after saving and reading back.
TEST_F(FileFormatTest, ForeignFilesEitherFailOrSurviveSaveAndReload) {
    const struct {
        const char* what;
        std::string bytes;
        bool sistersKept;
    } cases[] = {
        // S and A share "uno"; the name A leads back to "a", written after A.
        // No reference can name A, so S keeps its text as its own.
        {"entries equal but for case",
         "3    \r\n0 1    T\r\n1 S3    uno\r\n1 a3    dos\r\n1 A3    @@S\r\n", false},
        // The list name of the main card would lead back to the main card.
        {"main card's list name as entry",
         "2    \r\n0 1    T\r\n1 Q1    x\r\n18 <Ficha principal>3    @@Q\r\n", false},
        // A reference through a name that still leads back is kept.
        {"case duplicates, reference still unique",
         "3    \r\n0 1    T\r\n1 a3    dos\r\n1 S3    uno\r\n1 A3    @@S\r\n", true},
        {"main text beginning with @@", "1    \r\n0 3    @@x\r\n1 M2    @@\r\n", true},
        {"two main records", "1    \r\n0 1    A\r\n0 1    B\r\n", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(Path("ajeno.ctu"), c.bytes);
        cCartulo ctu;
        if (!ctu.OpenFile(Path("ajeno.ctu"))) {
            ExpectUsableAfterFailure(ctu);
            continue;
        }
        const Snapshot before = Snap(ctu);
        ctu.SetChanged();
        std::filesystem::remove(Path("guardado.ctu"));
        if (!ctu.SaveFile(Path("guardado.ctu"))) {
            EXPECT_FALSE(std::filesystem::exists(Path("guardado.ctu")));
            continue;
        }
        cCartulo again;
        ASSERT_TRUE(again.OpenFile(Path("guardado.ctu"))) << again.LastError().description;
        auto texts = [](const Snapshot& s) {
            std::map<std::string, std::string> t;
            for (const auto& [entry, content] : s) t[entry] = content.first;
            return t;
        };
        EXPECT_EQ(texts(Snap(again)), texts(before));
        if (c.sistersKept) {
            EXPECT_EQ(Snap(again), before);
        }
        EXPECT_FALSE(again.CheckHeaps());
    }
}

TEST_F(FileFormatTest, FiveThousandRecordsFitAndTheNextFailsWithSeven) {
    std::string cards;
    for (int i = 1; i < kCapacity; ++i) cards += Record("c" + std::to_string(i), "x");
    WriteBytes(Path("full.ctu"), NumberField(kCapacity - 1, 5) + "\r\n" + Record("", "T") + cards);
    WriteBytes(Path("over.ctu"),
               NumberField(kCapacity, 5) + "\r\n" + Record("", "T") + cards + Record("extra", "x"));
    cCartulo ctu;
    ASSERT_TRUE(ctu.OpenFile(Path("full.ctu"))) << ctu.LastError().description;
    EXPECT_EQ(ctu.CardCount(), kCapacity);
    EXPECT_EQ(ctu.NewCard("otra"), kNoRoom);
    EXPECT_FALSE(ctu.OpenFile(Path("over.ctu")));
    EXPECT_EQ(ctu.LastError().code, 7);
    ExpectUsableAfterFailure(ctu);
}

TEST_F(FileFormatTest, ReaderFailuresLeaveAUsableEmptyFile) {
    const std::string main = "0 1    T\r\n";
    std::filesystem::create_directory(Path("carpeta.ctu"));
    // clang-format off
    const struct {
        const char* what;
        std::string bytes;  // "" with a name: that path as it is
        int code;
        std::string name = "bad.ctu";
        std::string description = "";  // checked where given: quoted bytes show as escapes
    } cases[] = {
        {"leading zero", "012  \r\n" + main, 5}, {"letters", "abc  \r\n" + main, 5},
        {"space inside", "1 2  \r\n" + main, 5}, {"plus sign", "+1   \r\n" + main, 5},
        {"blank header", "     \r\n" + main, 5}, {"negative header", "-1   \r\n" + main, 5},
        {"negative entry length", "1    \r\n" + main + "-1A1    a\r\n", 5},
        {"negative text length", "1    \r\n" + main + "1 A-1   a\r\n", 5},
        {"header beyond 16 bits", "32767\r\n" + main, 6},
        {"unknown sister", "1    \r\n" + main + "1 A4    @@Bx\r\n", 9},
        {"sister read later", "2    \r\n" + main + "1 A3    @@B\r\n1 B1    b\r\n", 9},
        {"sister of itself", "1    \r\n" + main + "3 Pan5    @@Pan\r\n", 9},
        {"records missing", "2    \r\n" + main + "1 A1    a\r\n", 62},
        {"huge count, tiny file", "32766\r\n" + main + "3 ", 62},
        {"text past the end", "1    \r\n" + main + "1 A99999abc\r\n", 62},
        {"entry past the end", "1    \r\n" + main + "50ab", 62},
        {"record end missing", "0    \r\n0 1    T", 62}, {"empty file", "", 62},
        {"missing file", "", 53, "no existe.ctu"}, {"a folder", "", 75, "carpeta.ctu"},
        {"NUL in header", std::string("1\0   \r\n", 7), 5, "bad.ctu",
         "La cabecera del archivo no es válida («1\\0   »)."},
        {"controls in entries", "1    \r\n" + main + "2 A\t7    @@B\r\n\x81\x7F\r\n", 9, "bad.ctu",
         "La ficha «A\\t» es hermana de «B\\r\\n\\x81\\x7F», que no está antes en el archivo."}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.name == "bad.ctu") WriteBytes(Path(c.name), c.bytes);
        cCartulo ctu;
        EXPECT_FALSE(ctu.OpenFile(Path(c.name)));
        EXPECT_EQ(ctu.LastError().code, c.code) << ctu.LastError().description;
        if (!c.description.empty()) {
            EXPECT_EQ(ctu.LastError().description, c.description);
        }
        ExpectUsableAfterFailure(ctu);
    }
}

// Fields without digits count 0, so a valid header may make garbage readable;
// what was read must save and read back.
TEST_F(FileFormatTest, GarbageAfterAValidHeaderNeverLeavesABrokenStore) {
    std::string noise;
    for (unsigned i = 0, state = 12345; i < 3400; ++i)
        noise.push_back(static_cast<char>((state = state * 1103515245u + 12345u) >> 16));
    for (int cut = 0; cut < 64; ++cut) {
        SCOPED_TRACE(cut);
        WriteBytes(Path("maybe.ctu"), "3    \r\n" + noise.substr(cut * 50, 200));
        cCartulo ctu, again;
        if (!ctu.OpenFile(Path("maybe.ctu"))) {
            ExpectUsableAfterFailure(ctu);
            continue;
        }
        EXPECT_EQ(ctu.CheckHeaps(), std::nullopt);
        ExpectRoundTrip(ctu, again, "resaved.ctu");
    }
}

}  // namespace
}  // namespace cartulo
