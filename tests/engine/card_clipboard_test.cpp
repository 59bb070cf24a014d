// Cards carried between files through the clipboard, and file statistics.
#include <gtest/gtest.h>

#include "engine/cartulo.h"
#include "engine/clipboard.h"
#include "test_support.h"

namespace cartulo {
namespace {

class ClipboardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        clip = std::make_shared<MemoryClipboard>();
        SetClipboard(clip);
        source.NewFile("Origen");
        target.NewFile("Destino");
    }
    void TearDown() override { SetClipboard(nullptr); }

    std::shared_ptr<MemoryClipboard> clip;
    cCartulo source, target;
};

TEST_F(ClipboardTest, CardTextLayout) {
    const CardId pan = source.NewCard("Pan");
    source.SetTxt(pan, "x");
    source.CopyCard(pan);
    EXPECT_EQ(clip->GetText()->text, "3 #PanxCaRd");
    EXPECT_EQ(cCartulo::ClipboardFormat(), 1);
    EXPECT_EQ(cCartulo::GetClipCard().entry, "Pan");
    EXPECT_EQ(cCartulo::GetClipCard().text, "x");

    const CardId long95 = source.NewCard(std::string(95, 'e'));
    source.CopyCard(long95);
    EXPECT_EQ(static_cast<unsigned char>(clip->GetText()->text.at(2)), 127);
    // 97 characters give a check byte the code page leaves undefined.
    const CardId long97 = source.NewCard(std::string(97, 'f'));
    source.SetTxt(long97, "texto");
    source.CopyCard(long97);
    EXPECT_EQ(static_cast<unsigned char>(clip->GetText()->text.at(2)), 0x81);
    const CardId pasted = target.PasteCard();
    ASSERT_GT(pasted, 0);
    EXPECT_EQ(target.GetNtry(pasted), std::string(97, 'f'));
    EXPECT_EQ(target.GetTxt(pasted), "texto");
}

TEST_F(ClipboardTest, RoundTripBetweenFilesWithSistersAndMasterCard) {
    const CardId a = source.NewCard("Canci\xF3n");
    source.SetTxt(a, "La letra\r\nde la canci\xF3n");
    const CardId sister = source.NewAlias(a, "Copla");
    const CardId master = target.NewCard("Ficha maestra");
    target.SetTxt(master, "Autor: ");

    test::Recorder events;
    auto sub = target.Subscribe(events);
    std::string textSeenAtTheEnd;
    events.during = [&](const std::string& event, CardId card) {
        if (event == "UpdateCardTxt") textSeenAtTheEnd = target.GetTxt(card);
    };
    // A sister is copied with the text it shares.
    source.CopyCard(sister);
    const CardId pasted = target.PasteCard();
    ASSERT_GT(pasted, 0);
    EXPECT_EQ(target.GetNtry(pasted), "Copla");
    EXPECT_EQ(target.GetTxt(pasted), "La letra\r\nde la canci\xF3n");
    // Listeners that met the card with the master text are told of its own.
    EXPECT_EQ(events.log, (std::vector<std::string>{"NewCard " + std::to_string(pasted),
                                                    "UpdateCardTxt " + std::to_string(pasted)}));
    EXPECT_EQ(textSeenAtTheEnd, "La letra\r\nde la canci\xF3n");

    // Pasting again never overwrites.
    EXPECT_EQ(target.PasteCard(), kEntryInUse);
    EXPECT_EQ(target.GetTxt(pasted), "La letra\r\nde la canci\xF3n");
}

TEST_F(ClipboardTest, RefusesWhatIsNotACardAndChangesNothing) {
    const int before = target.CardCount();
    const std::string notCards[] = {
        "",
        "3 #Pan",       // no marker
        "3 #PanxCard",  // marker in the wrong case
        "3 $PanxCaRd",  // wrong check character
        "9 )PanCaRd",   // shorter than its entry length says
        "-5\x1b"
        "abcdCaRd",  // negative length
        "CaRd",
    };
    for (const std::string& text : notCards) {
        clip->SetText(text);
        EXPECT_EQ(cCartulo::ClipboardFormat(), 0) << text;
        EXPECT_EQ(cCartulo::GetClipCard().entry, "") << text;
        EXPECT_EQ(target.PasteCard(), kNothingToPaste) << text;
    }
    clip->Clear();
    EXPECT_EQ(target.PasteCard(), kNothingToPaste);

    // A card the file could not store is refused whole.
    clip->SetText("1 !A@@textoCaRd");
    EXPECT_EQ(target.PasteCard(), kUnstorableEntry);
    clip->SetText("1 !A" + std::string(100000, 'x') + "CaRd");
    EXPECT_EQ(target.PasteCard(), kUnstorableEntry);
    clip->SetText(
        "18"
        "\x32"
        " <Ficha principal>textoCaRd");
    EXPECT_EQ(target.PasteCard(), kEntryInUse);
    EXPECT_EQ(target.CardCount(), before);
    EXPECT_FALSE(target.CheckHeaps());
}

TEST_F(ClipboardTest, MainAndMasterCardsAndTheOrderOfRefusals) {
    // The main card's entry is in use in every file.
    source.CopyCard(source.GetMain());
    EXPECT_EQ(clip->GetText()->text, "0  OrigenCaRd");
    EXPECT_EQ(target.PasteCard(), kEntryInUse);
    // A master card pasted into a file without one becomes its master card.
    const CardId master = source.NewCard("Ficha maestra");
    source.SetTxt(master, "Autor: ");
    source.CopyCard(master);
    const CardId pasted = target.PasteCard();
    ASSERT_GT(pasted, 0);
    EXPECT_EQ(target.GetMasterTxt(), "Autor: ");
    EXPECT_EQ(target.GetTxt(target.NewCard("Nueva")), "Autor: ");
    // An entry in use is reported before a text the file cannot hold.
    clip->SetText("5 %Nueva@@xCaRd");
    EXPECT_EQ(target.PasteCard(), kEntryInUse);
    // Characters left out on the way in make the card unstorable, not absent.
    clip->SetContent({"1 !B?CaRd", true});
    EXPECT_EQ(cCartulo::ClipboardFormat(), 1);
    EXPECT_EQ(target.PasteCard(), kUnstorableEntry);
    EXPECT_EQ(target.SrchNtry("B"), kNoCard);
}

TEST_F(ClipboardTest, FullFileHasNoRoom) {
    cCartulo full;
    full.NewFile("Lleno");
    for (int i = 1; i < kCapacity; ++i) ASSERT_GT(full.NewCard("c" + std::to_string(i)), 0);
    const CardId a = source.NewCard("Nueva");
    source.CopyCard(a);
    EXPECT_EQ(full.PasteCard(), kNoRoom);
    EXPECT_EQ(full.CardCount(), kCapacity);
}

using FileInfoTest = test::TempDirTest;

TEST_F(FileInfoTest, CountsSistersAndEstimatesTheSize) {
    cCartulo ctu;
    ctu.NewFile("Agenda");
    const CardId pan = ctu.NewCard("Pan");
    ctu.SetTxt(pan, "x");
    ctu.NewAlias(pan, "Pan2");
    ctu.NewCard("B");
    ctu.SetTag("ETIQUETA");
    FileInfo info = ctu.GetFileInfo();
    EXPECT_EQ(info.cards, 4);
    EXPECT_EQ(info.sisters, 1);
    EXPECT_EQ(info.tag, "ETIQUETA");
    EXPECT_FLOAT_EQ(info.capacity, 4 * 100.0f / 5000);
    EXPECT_EQ(info.fileName, "");
    EXPECT_EQ(ctu.GetBasePath(), "");

    // List order B, Pan2, Pan, main: 1+0+9, 4+1+9, then Pan as a sister 2*3+9, main 0+6+9.
    EXPECT_EQ(info.size, 10 + 14 + 15 + 15);
    const std::string path = Path("agenda.ctu");
    ASSERT_TRUE(ctu.SaveFile(path));
    EXPECT_EQ(ctu.GetFileInfo().fileName, path);
    EXPECT_EQ(ctu.GetBasePath(), dir_);
}

TEST_F(FileInfoTest, AnEmptyObjectAnswersEmpty) {
    cCartulo ctu;
    EXPECT_EQ(ctu.GetFileTitle(), "");
    EXPECT_EQ(ctu.GetMain(), kNoCard);
    EXPECT_EQ(ctu.GetFileInfo().cards, 0);
    EXPECT_EQ(ctu.GetTxt(kNoCard), "");
    EXPECT_EQ(ctu.GetNtry(9999), "");
}

}  // namespace
}  // namespace cartulo
