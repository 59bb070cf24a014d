#include "support/frm_opciones.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <filesystem>

#include <gtest/gtest.h>

#include "qt_test_support.h"
#include "support/options.h"
#include "support/scripted_user_dialogs.h"
#include "temp_dir.h"

namespace cartulo::support {
namespace {

using testing::readBytes;
using testing::writeBytes;
using namespace std::string_literals;

const QString kRestart =
    "Los cambios efectuados a la configuración entrarán en efecto tras reiniciar Cartulo.";

class OpcionesTest : public ::testing::Test {
  protected:
    void read(std::string_view content) {
        writeBytes(path, content);
        settings.ReadOptions();
    }
    testing::TempDir dir;
    std::string path = dir.file("Cartulo.ini");
    ProgramSettings settings{path};
    ScriptedUserDialogs dialogs;
};

TEST_F(OpcionesTest, ShowsTheStoredOptionScaled) {
    read("[GENERAL]\r\nHighDPI=1\r\n");
    frmOpciones window(settings, dialogs, 1.25);
    EXPECT_TRUE(window.HighDpiBox()->isChecked());
    EXPECT_DOUBLE_EQ(window.font().pointSizeF(), QApplication::font().pointSizeF() * 1.25);
}

TEST_F(OpcionesTest, AChangedScaleIsWrittenAndTakesEffectAfterARestart) {
    for (const bool on : {true, false}) {
        read(on ? "[GENERAL]\r\nHighDPI=0\r\n" : "[GENERAL]\r\nHighDPI=1\r\n");
        frmOpciones window(settings, dialogs);
        ASSERT_EQ(window.HighDpiBox()->isChecked(), !on);
        window.HighDpiBox()->setChecked(on);
        window.AcceptButton()->click();
        EXPECT_EQ(window.result(), QDialog::Accepted);
        EXPECT_EQ(readBytes(path),
                  on ? "[GENERAL]\r\nHighDPI=1\r\n\r\n" : "[GENERAL]\r\nHighDPI=0\r\n\r\n");
        EXPECT_EQ(settings.HighDPI(), on);
        EXPECT_EQ(settings.DisplayScale(), on ? 1.0f : 1.25f);  // until the next start
        ASSERT_EQ(dialogs.Messages().size(), on ? 1u : 2u);
        const MessageRequest& said = dialogs.Messages().back();
        EXPECT_EQ(std::tie(said.text, said.title, said.flags),
                  std::make_tuple(kRestart, "", msg::kInformation));
    }
    // Cancelled or unchanged: nothing is written or said.
    frmOpciones cancelled(settings, dialogs);
    cancelled.HighDpiBox()->setChecked(true);
    cancelled.CancelButton()->click();
    EXPECT_FALSE(settings.HighDPI());
    EXPECT_EQ(readBytes(path), "[GENERAL]\r\nHighDPI=0\r\n\r\n");
    frmOpciones unchanged(settings, dialogs);
    unchanged.AcceptButton()->click();
    EXPECT_EQ(dialogs.Messages().size(), 2u);
}

TEST_F(OpcionesTest, PrintingAndColouringAreStoredAloneAndAtOnce) {
    // before, printing off, colouring on, what another program wrote meanwhile, after
    // clang-format off
    const std::tuple<std::string, bool, bool, std::string, std::string> cases[] = {
        {"[GENERAL]\r\nHighDPI=0\r\n", true, true, "",
        "[GENERAL]\r\nHighDPI=0\r\nNoPrinting=1\r\n\r\n"},
        {"[GENERAL]\r\nNoPrinting=1\r\n", false, true, "",
        "[GENERAL]\r\nNoPrinting=0\r\nHighDPI=0\r\n\r\n"},
        {"", true, true, "", "[GENERAL]\r\nNoPrinting=1\r\nHighDPI=0\r\n\r\n"},
        {"", false, false, "", "[GENERAL]\r\nColorearMarcas=0\r\nHighDPI=0\r\n\r\n"},
        {"[GENERAL]\r\nHighDPI=0\r\n", false, false, "[GENERAL]\r\nHighDPI=0\r\nX=1\r\n",
         "[GENERAL]\r\nHighDPI=0\r\nX=1\r\nColorearMarcas=0\r\n\r\n"},
        {"[GENERAL]\r\nColorearMarcas=0\r\nHighDPI=0\r\n", false, true, "",
         "[GENERAL]\r\nColorearMarcas=1\r\nHighDPI=0\r\n\r\n"}};
    // clang-format on
    for (const auto& [before, noPrinting, colour, meanwhile, after] : cases) {
        read(before);
        frmOpciones window(settings, dialogs);
        EXPECT_EQ(window.NoPrintingBox()->isChecked(), before.find("NoPrinting=1") != before.npos)
            << before;
        EXPECT_EQ(window.ColorMarkupBox()->isChecked(), before.find("Marcas=0") == before.npos)
            << before;
        window.NoPrintingBox()->setChecked(noPrinting);
        window.ColorMarkupBox()->setChecked(colour);
        if (!meanwhile.empty()) writeBytes(path, meanwhile);
        window.AcceptButton()->click();
        EXPECT_EQ(settings.NoPrinting(), noPrinting) << before;
        EXPECT_EQ(settings.ColorearMarcas(), colour) << before;
        EXPECT_EQ(readBytes(path), after) << before;
    }
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(OpcionesTest, SpellingAndItsDictionaryAreChosenAmongThoseInstalled) {
    const std::string installed = dir.file("hunspell"), none = dir.file("vacia");
    std::filesystem::create_directories(installed);
    for (const char* name : {"es_ES.aff", "es_ES.dic", "es_MX.aff", "es_MX.dic", "xx.aff"}) {
        writeBytes(installed + "/" + name, "");
    }
    read("[GENERAL]\r\nHighDPI=0\r\n");
    frmOpciones window(settings, dialogs, 1.0, nullptr, QString::fromStdString(installed));
    EXPECT_TRUE(window.SpellCheckBox()->isChecked());
    EXPECT_EQ(window.DictionaryBox()->count(), 2);
    EXPECT_EQ(window.DictionaryBox()->currentText(), "es_ES");
    window.DictionaryBox()->setCurrentText("es_MX");
    window.SpellCheckBox()->setChecked(false);
    window.AcceptButton()->click();
    const char* written = "[GENERAL]\r\nHighDPI=0\r\nSpellCheck=0\r\nDictionary=es_MX\r\n\r\n";
    EXPECT_EQ(readBytes(path), written);
    settings.ReadOptions();
    EXPECT_EQ(std::pair(settings.SpellCheck(), settings.Dictionary()), std::pair(false, "es_MX"s));
    // Without a dictionary the option is off, says why and keeps what is stored.
    frmOpciones without(settings, dialogs, 1.0, nullptr, QString::fromStdString(none));
    EXPECT_FALSE(without.SpellCheckBox()->isEnabled());
    EXPECT_TRUE(without.SpellNote()->text().contains("hunspell-es"));
    without.AcceptButton()->click();
    EXPECT_EQ(readBytes(path), written);
    // A stored dictionary not installed stays stored unless another is picked.
    read("[GENERAL]\r\nHighDPI=0\r\nDictionary=en_US\r\n");
    frmOpciones kept(settings, dialogs, 1.0, nullptr, QString::fromStdString(installed));
    kept.AcceptButton()->click();
    EXPECT_EQ(settings.Dictionary(), "en_US");
    EXPECT_EQ(readBytes(path), "[GENERAL]\r\nHighDPI=0\r\nDictionary=en_US\r\n");
}

TEST_F(OpcionesTest, EscapeAndTheCloseButtonWriteNothing) {
    read("[GENERAL]\r\nHighDPI=0\r\n");
    for (const bool escape : {true, false}) {
        frmOpciones window(settings, dialogs);
        window.HighDpiBox()->setChecked(true);
        ASSERT_TRUE(testing::showActive(window));
        escape ? testing::type(Qt::Key_Escape) : void(window.close());
        EXPECT_FALSE(window.isVisible()) << escape;
        EXPECT_EQ(window.result(), QDialog::Rejected) << escape;
        EXPECT_FALSE(settings.HighDPI()) << escape;
        EXPECT_FALSE(settings.Ini().Changed()) << escape;
    }
    EXPECT_FALSE(settings.Close());  // as at exit
    EXPECT_EQ(readBytes(path), "[GENERAL]\r\nHighDPI=0\r\n");
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(OpcionesTest, AFailedWriteIsReportedAndTakesTheOptionBack) {
    const std::string folder = dir.file("sub"), file = folder + "/Cartulo.ini";
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    writeBytes(file, "[GENERAL]\r\nHighDPI=0\r\n");
    ProgramSettings own(file);
    own.ReadOptions();
    std::filesystem::remove_all(folder);  // nowhere to write to now
    frmOpciones window(own, dialogs);
    window.HighDpiBox()->setChecked(true);
    window.AcceptButton()->click();
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_TRUE(dialogs.Messages()[0].text.startsWith("No se pudo guardar la configuración"));
    EXPECT_FALSE(own.HighDPI());
    EXPECT_FALSE(own.Ini().Changed());
    EXPECT_EQ(own.Ini().GetINIData("GENERAL", "HighDPI"), "0");
    // The folder is back by the time the program ends: what the user was
    // told was not saved is not saved behind their back either.
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    writeBytes(file, "[GENERAL]\r\nHighDPI=0\r\n");
    EXPECT_FALSE(own.WriteOptions());
    EXPECT_FALSE(own.Close());
    EXPECT_EQ(readBytes(file), "[GENERAL]\r\nHighDPI=0\r\n");
    // A settings file that cannot be written is reported too.
    read(std::string("\0binario", 8));
    AcceptOptions(settings, true, dialogs);
    ASSERT_EQ(dialogs.Messages().size(), 2u);
    EXPECT_TRUE(dialogs.Messages()[1].text.startsWith("No se pudo guardar la configuración"));
    EXPECT_EQ(dialogs.Messages()[1].flags, msg::kExclamation);
    EXPECT_EQ(readBytes(path), std::string("\0binario", 8));
    EXPECT_FALSE(settings.HighDPI());
}

// The scripted dialogs the shell's tests lean on: answers from the queue
// when they fit, and a record of what was asked.
TEST(ScriptedDialogs, AnswersFromTheQueueAndRecordsWhatWasAsked) {
    using enum MsgResult;
    ScriptedUserDialogs dialogs;
    dialogs.QueueAnswer(No);
    dialogs.QueueAnswer(Retry);
    dialogs.QueueText("Nueva");
    dialogs.QueueCancel();
    EXPECT_EQ(dialogs.MsgBoxPlus("Hecho.", {}, msg::kInformation), Ok);  // takes no answer
    EXPECT_EQ(dialogs.MsgBoxPlus("¿Guardar?", "detalle", 35, "Cerrar Cartulo"), No);
    EXPECT_EQ(dialogs.MsgBoxPlus("¿Guardar?", {}, msg::kYesNoCancel),
              Cancel);                                               // Retry does not fit
    EXPECT_EQ(dialogs.MsgBoxPlus("¿Seguir?", {}, msg::kYesNo), No);  // nothing queued
    EXPECT_EQ(dialogs.InputBoxPlus("Entrada:", "Título", "sin título"), "Nueva");
    EXPECT_EQ(dialogs.AskText({"Entrada:", {}, "algo", {}, {}}), std::nullopt);
    EXPECT_EQ(dialogs.InputBoxPlus("Entrada:", {}, "algo"), "");
    EXPECT_EQ(dialogs.Unanswered(), 3);
    EXPECT_TRUE(dialogs.AllAnswersUsed());
    EXPECT_EQ(dialogs.Messages().size(), 4u);
}

}  // namespace
}  // namespace cartulo::support
