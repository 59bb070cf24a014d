#include "richtext/error_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace cartulo {
namespace {

using richtext::ErrorList;
using Strings = std::vector<std::string>;

TEST(ErrorList, DistinctMessagesAndTheHundredthSlotBecomesTooManyErrors) {
    ErrorList distinct;
    for (const char* e : {"Llaves no cerradas", "LLAVES NO CERRADAS", "Etiqueta no v\xE1lida: x",
                          "ETIQUETA NO V\xC1LIDA: X"}) {  // accented letters fold too
        distinct.Add(e);
    }
    EXPECT_EQ(distinct.All(), (Strings{"Llaves no cerradas", "Etiqueta no v\xE1lida: x"}));
    ErrorList errors;
    for (int i = 0; i < 100; ++i) errors.Add("e" + std::to_string(i));
    EXPECT_EQ(errors.Count(), 100u);
    EXPECT_EQ(errors.At(99), "e99");
    errors.Add("e100");
    EXPECT_EQ(errors.Count(), 100u);
    EXPECT_EQ(errors.At(98), "e98");
    EXPECT_EQ(errors.At(99), "Demasiados errores");
    errors.Add("e101");
    errors.Add("e5");
    EXPECT_EQ(errors.Count(), 100u);
    EXPECT_EQ(errors.At(99), "Demasiados errores");
    EXPECT_EQ(errors.At(100), "");
}

class EngineErrors : public testing::EngineTest {};

TEST_F(EngineErrors, ManyBadTagsFillTheListAndEndWithTooManyErrors) {
    std::string text;
    for (int i = 0; i <= 100; ++i) text += "{X" + std::to_string(i) + ":1} ";
    engine.SizeText(text, 0, 0, 0, -1);
    ASSERT_EQ(engine.ErrorCount(), 100);
    EXPECT_EQ(engine.Errors(0), "Etiqueta no v\xE1lida: X0:");
    EXPECT_EQ(engine.Errors(98), "Etiqueta no v\xE1lida: X98:");
    EXPECT_EQ(engine.Errors(99), "Demasiados errores");
    EXPECT_EQ(engine.Errors(100), "");
    EXPECT_EQ(engine.Errors(-1), "");
    engine.DrawText("bien", 0, 0, 0, -1);  // each call starts afresh
    EXPECT_EQ(engine.ErrorCount(), 0);
}

struct MessageCase {
    std::string text;
    Strings errors;
};

const std::string kInvalidLink = "Referencia hipertextual no v\xE1lida";

TEST_F(EngineErrors, Messages) {
    const MessageCase cases[] = {
        {"{XY:1}", {"Etiqueta no v\xE1lida: XY:"}},
        {"{xy}", {"Etiqueta no v\xE1lida: xy"}},
        {"{MI}", {"Etiqueta no v\xE1lida: MI"}},
        {"{N:}", {}},
        {"{zz:1}{ZZ:2}", {"Etiqueta no v\xE1lida: zz:"}},
        {"{Q:1234}", {"Color no v\xE1lido: 1234"}},
        {"{Q:rosa} {Q:rosa}", {"Color no v\xE1lido: rosa"}},
        {"{Q:}", {"Color no v\xE1lido: "}},
        {"{Q:3d}{Q:16}{Q:17}{Q:18}", {}},
        {"abc{def", {"Llaves no cerradas"}},
        {"{* sin fin", {"Llaves no cerradas"}},
        {"\273", {kInvalidLink}},
        {"\253Casa", {kInvalidLink}},
        {"\253a \253b\273 c\273", {kInvalidLink}},
        {"\253Casa\273", {}},
        {"{/O}", {"Objeto sin etiqueta de inicio"}},
        {"{/FR}", {"Marco sin etiqueta de inicio"}},
        {"{/o} {/fr}", {"Objeto sin etiqueta de inicio", "Marco sin etiqueta de inicio"}},
        {"{FR:1,2,0,0}x{/FR}", {}},
        {"{O:1,1,t}x{/O}", {}},
        {"{W:rojo}{W:nada.png,0}{W:3d}", {}},
        {"a{!}b{-}c", {}},
        {"{* comentario } con llave *}", {}},
        {"{}", {}},
        {"{N}{C}{U}{N:1}{C:0}{U:1}{Q}{Q:rojo}{T}{T:10}{F}{F:Arial}{J}{J:2}{MI:5}{MP:5}{MD:5}{MU:5}{"
         "TA:5}{HD:5}{SP:5}{VS:5}{VD:5}{ID:x}{IU:x}"
         "{SY:x}{@x}{G:x}{GI:x,1}{GD:x,1}{B:x,c}{H:x}{S:x}{L:a,b}{P:a,b}{FO:x}{W:x}",
         {}},
        {"{TB:1,1}a{\\}", {}},
    };
    for (const MessageCase& c : cases) {
        SCOPED_TRACE(c.text);
        engine.SizeText(c.text, 0, 0, 0, -1);
        EXPECT_EQ(Errors(), c.errors);
        engine.DrawText(c.text, 0, 0, 0, -1);
        EXPECT_EQ(Errors(), c.errors);
    }
}

}  // namespace
}  // namespace cartulo
