// Cards carried between files through the clipboard.
#include "engine/clipboard.h"
#include "test_support.h"

namespace cartulo {
namespace {

class ClipboardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetClipboard(clip);
        source.NewFile("Origen");
        target.NewFile("Destino");
    }
    void TearDown() override { SetClipboard(nullptr); }
    std::string Clip() { return clip->GetText()->text; }
    std::shared_ptr<MemoryClipboard> clip = std::make_shared<MemoryClipboard>();
    cCartulo source, target;
};

TEST_F(ClipboardTest, CardTextLayoutAndCheckBytes) {
    const CardId pan = source.NewCard("Pan");
    source.SetTxt(pan, "x");
    source.CopyCard(pan);
    EXPECT_EQ(Clip(), "3 #PanxCaRd");
    EXPECT_EQ(cCartulo::ClipboardFormat(), 1);
    EXPECT_EQ((test::Log{cCartulo::GetClipCard().entry, cCartulo::GetClipCard().text}),
              (test::Log{"Pan", "x"}));
    source.CopyCard(source.NewCard(std::string(95, 'e')));
    EXPECT_EQ(static_cast<unsigned char>(Clip().at(2)), 127);
    // 97 characters give a check byte the code page leaves undefined.
    const CardId long97 = source.NewCard(std::string(97, 'f'));
    source.SetTxt(long97, "texto");
    source.CopyCard(long97);
    EXPECT_EQ(static_cast<unsigned char>(Clip().at(2)), 0x81);
    const CardId pasted = target.PasteCard();
    EXPECT_EQ((test::Log{target.GetNtry(pasted), target.GetTxt(pasted)}),
              (test::Log{std::string(97, 'f'), "texto"}));
}

TEST_F(ClipboardTest, RoundTripBetweenFilesWithSistersAndMasterCard) {
    const CardId a = source.NewCard("Canci\xF3n");
    const std::string text = "La letra\r\nde la canci\xF3n";
    source.SetTxt(a, text);
    const CardId sister = source.NewAlias(a, "Copla");
    target.SetTxt(target.NewCard("Ficha maestra"), "Autor: ");
    test::Recorder events;
    auto sub = target.Subscribe(events);
    std::string textSeenAtTheEnd;
    events.during = [&](const std::string& event, CardId card) {
        if (event == "UpdateCardTxt") textSeenAtTheEnd = target.GetTxt(card);
    };
    source.CopyCard(sister);  // a sister is copied with the text it shares
    const CardId pasted = target.PasteCard();
    EXPECT_EQ((test::Log{target.GetNtry(pasted), target.GetTxt(pasted)}),
              (test::Log{"Copla", text}));
    // Listeners that met the card with the master text are told of its own.
    const std::string id = std::to_string(pasted);
    EXPECT_EQ(events.log, (test::Log{"NewCard " + id, "UpdateCardTxt " + id}));
    EXPECT_EQ(textSeenAtTheEnd, text);
    EXPECT_EQ(target.PasteCard(), kEntryInUse);  // pasting again never overwrites
    EXPECT_EQ(target.GetTxt(pasted), text);
}

TEST_F(ClipboardTest, RefusesWhatIsNotACardOrCannotBeStoredAndChangesNothing) {
    const int before = target.CardCount();
    // No marker, a marker in the wrong case, a wrong check character, shorter than its entry
    // length says, a negative length.
    for (const std::string text :
         {"", "3 #Pan", "3 #PanxCard", "3 $PanxCaRd", "9 )PanCaRd", "-5\33abcdCaRd", "CaRd"}) {
        clip->SetText(text);
        EXPECT_TRUE(cCartulo::ClipboardFormat() == 0 && cCartulo::GetClipCard().entry.empty())
            << text;
        EXPECT_EQ(target.PasteCard(), kNothingToPaste) << text;
    }
    clip->Clear();
    EXPECT_EQ(target.PasteCard(), kNothingToPaste);
    const std::vector<std::pair<std::string, CardId>> refused = {
        {"1 !A@@textoCaRd", kUnstorableEntry},
        {"1 !A" + std::string(100000, 'x') + "CaRd", kUnstorableEntry},
        {"182 <Ficha principal>textoCaRd", kEntryInUse}};
    for (const auto& [text, result] : refused) {
        clip->SetText(text);
        EXPECT_EQ(target.PasteCard(), result) << text.substr(0, 20);
    }
    EXPECT_TRUE(target.CardCount() == before && !target.CheckHeaps());
}

TEST_F(ClipboardTest, MainAndMasterCardsAndTheOrderOfRefusals) {
    source.CopyCard(source.GetMain());  // its entry is in use in every file
    EXPECT_EQ(Clip(), "0  OrigenCaRd");
    EXPECT_EQ(target.PasteCard(), kEntryInUse);
    // A master card pasted into a file without one becomes its master card.
    const CardId master = source.NewCard("Ficha maestra");
    source.SetTxt(master, "Autor: ");
    source.CopyCard(master);
    ASSERT_GT(target.PasteCard(), 0);
    EXPECT_EQ(target.GetMasterTxt(), "Autor: ");
    EXPECT_EQ(target.GetTxt(target.NewCard("Nueva")), "Autor: ");
    // An entry in use is reported before a text the file cannot hold.
    clip->SetText("5 %Nueva@@xCaRd");
    EXPECT_EQ(target.PasteCard(), kEntryInUse);
    // Characters left out on the way in make the card unstorable, not absent.
    clip->SetContent({"1 !B?CaRd", true});
    EXPECT_EQ(cCartulo::ClipboardFormat(), 1);
    EXPECT_TRUE(target.PasteCard() == kUnstorableEntry && target.SrchNtry("B") == kNoCard);
    // A full file has no room.
    for (int i = 4; i <= kCapacity; ++i) ASSERT_GT(target.NewCard("c" + std::to_string(i)), 0);
    source.CopyCard(source.NewCard("Otra"));
    EXPECT_EQ(target.PasteCard(), kNoRoom);
    EXPECT_EQ(target.CardCount(), kCapacity);
}

}  // namespace
}  // namespace cartulo
