#include "support/frm_opciones.h"

#include <QCheckBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include "qt_test_support.h"
#include "support/options.h"
#include "support/scripted_user_dialogs.h"
#include "temp_dir.h"

namespace cartulo::support {
namespace {

using testing::readBytes;
using testing::writeBytes;

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

TEST_F(OpcionesTest, ShowsItsCaptionsAndTheStoredOptionScaled) {
    read("[GENERAL]\r\nHighDPI=1\r\n");
    frmOpciones window(settings, dialogs, 1.25);
    EXPECT_EQ(window.windowTitle(), "Opciones");
    EXPECT_EQ(window.HighDpiBox()->text(), "Ampliar textos y ventanas");
    EXPECT_TRUE(window.HighDpiBox()->isChecked());
    EXPECT_EQ(window.NoPrintingBox()->text(), "Desactivar impresión");
    EXPECT_EQ(window.AcceptButton()->text(), "&Aceptar");
    EXPECT_EQ(window.CancelButton()->text(), "&Cancelar");
    EXPECT_DOUBLE_EQ(window.font().pointSizeF(), QApplication::font().pointSizeF() * 1.25);
}

TEST_F(OpcionesTest, AcceptingAChangeWritesItAndSaysItTakesEffectAfterARestart) {
    read("[GENERAL]\r\nHighDPI=0\r\n");
    frmOpciones window(settings, dialogs);
    window.HighDpiBox()->setChecked(true);
    window.AcceptButton()->click();
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(readBytes(path), "[GENERAL]\r\nHighDPI=1\r\n\r\n");
    EXPECT_EQ(settings.DisplayScale(), 1.0f);
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    const MessageRequest& said = dialogs.Messages()[0];
    EXPECT_EQ(said.text,
              "Los cambios efectuados a la configuración entrarán en efecto tras reiniciar "
              "Cartulo.");
    EXPECT_EQ(std::tie(said.title, said.flags), std::make_tuple("", msg::kInformation));
}

TEST_F(OpcionesTest, WithoutAChangeNothingIsSaidAndCancellingChangesNothing) {
    read("[GENERAL]\r\nHighDPI=0\r\n");
    frmOpciones cancelled(settings, dialogs);
    cancelled.HighDpiBox()->setChecked(true);
    cancelled.CancelButton()->click();
    EXPECT_FALSE(settings.HighDPI());
    EXPECT_EQ(readBytes(path), "[GENERAL]\r\nHighDPI=0\r\n");
    frmOpciones unchanged(settings, dialogs);
    unchanged.AcceptButton()->click();
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(OpcionesTest, ASettingsFileThatCannotBeWrittenIsReported) {
    read(std::string("\0binario", 8));
    AcceptOptions(settings, true, dialogs);
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_TRUE(dialogs.Messages()[0].text.startsWith("No se pudo guardar la configuración"));
    EXPECT_EQ(dialogs.Messages()[0].flags, msg::kExclamation);
    EXPECT_EQ(readBytes(path), std::string("\0binario", 8));
}

}  // namespace
}  // namespace cartulo::support
