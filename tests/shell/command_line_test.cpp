// The command line (switches, then plain arguments) and the typed command.
#include "shell/command_line.h"

#include <QStringList>

#include <gtest/gtest.h>

#include "shell/typed_command.h"

namespace cartulo::shell {
namespace {

struct Row {
    QString text;        // for ParseCommandLine
    QStringList argv;    // for ParseArguments when `text` is empty
    int switches;        // how many are stored
    QStringList probes;  // "name=value" present, "!name" absent
    QStringList arguments;
};

QStringList numbered(const QString& pattern, int count) {
    QStringList result;
    for (int i = 1; i <= count; ++i) result << pattern.arg(i);
    return result;
}

// Every row runs on the same object: each parse starts afresh.
void check(CommandLine& line, const Row& row) {
    SCOPED_TRACE((row.text.isEmpty() ? row.argv.join(u'|') : row.text).toStdString());
    EXPECT_EQ(line.SwitchCount(), row.switches);
    for (const QString& probe : row.probes) {
        if (probe.startsWith(u'!')) {
            EXPECT_FALSE(line.HasSwitch(probe.mid(1))) << probe.toStdString();
            continue;
        }
        const QString name = probe.section(u'=', 0, 0);
        EXPECT_TRUE(line.HasSwitch(name)) << probe.toStdString();
        EXPECT_EQ(line.SwitchValue(name), probe.section(u'=', 1)) << probe.toStdString();
    }
    QStringList arguments;
    for (int i = 1; i <= line.ArgumentCount(); ++i) arguments << line.GetArgument(i);
    EXPECT_EQ(arguments, row.arguments);
    for (const int outside : {-1, 0, static_cast<int>(row.arguments.size()) + 1}) {
        EXPECT_EQ(line.GetArgument(outside), QString());
    }
}

TEST(CommandLine, SwitchesThenArgumentsWithQuotesBlanksAndLimits) {
    const QString many = numbered(QStringLiteral("-s%1"), 21).join(u' ');
    const std::vector<Row> rows = {
        {"-debug -x:\"dos palabras\" uno dos", {}, 2, {"DEBUG=", "x=dos palabras"}, {"uno", "dos"}},
        {"-x:abc", {}, 1, {"X=abc"}, {}},
        {"-x abc", {}, 1, {"x="}, {"abc"}},
        // A blank before the first colon ends the name; the colon is the argument's.
        {"-x a:b", {}, 1, {"x="}, {"a:b"}},
        // "/" starts a path, never a switch.
        {"/debug -x", {}, 0, {"!debug", "!x"}, {"/debug", "-x"}},
        {"-DeBuG", {}, 1, {"debug="}, {}},
        {"debug", {}, 0, {"!debug"}, {"debug"}},
        {"-debugx", {}, 1, {"!debug"}, {}},
        {"\"mis notas.ctu\"", {}, 0, {"!"}, {"mis notas.ctu"}},
        // An unclosed quote takes the rest of the line, blanks and all.
        {"\"mis notas.ctu  otra", {}, 0, {}, {"mis notas.ctu  otra"}},
        {"-x:\"a b c", {}, 1, {"x=a b c"}, {}},
        // A closing quote ends the argument even with no blank after it.
        {"\"a\"b c", {}, 0, {}, {"a", "b", "c"}},
        {"\"\" x", {}, 0, {}, {"", "x"}},
        {"   -a    -b:1    uno     dos   ", {}, 2, {"b=1"}, {"uno", "dos"}},
        {"    ", {}, 0, {"!"}, {}},
        {many + " archivo.ctu", {}, 20, {"s20=", "!s21"}, {"-s21", "archivo.ctu"}},
        {"1 2 3 4 5 6 7 8 9 10 11", {}, 0, {}, numbered("%1", 10)},
        // As split by the system: after the first plain argument a "-" is
        // plain too; quotes stay as given.
        {{},
         {"-debug", "-Ruta:/a b:c", "/home/ana/mis notas.ctu", "-tarde", "\"citado\""},
         2,
         {"debug=", "ruta=/a b:c", "!tarde"},
         {"/home/ana/mis notas.ctu", "-tarde", "\"citado\""}},
        {{},
         numbered("-s%1", 21) + numbered("%1", 11),
         20,
         {"!s21"},
         QStringList{"-s21"} + numbered("%1", 9)},
        {{}, {}, 0, {}, {}},
    };
    CommandLine line;
    for (const Row& row : rows) {
        if (row.text.isEmpty()) {
            line.ParseArguments(row.argv);
        } else {
            line.ParseCommandLine(row.text);
        }
        check(line, row);
    }
    line.ParseCommandLine(QString());
    check(line, {});
}

TEST(TypedCommand, SplitsAtTheFirstBlankAndTrimsBothParts) {
    // "word|argument", "word" without one, "-" for nothing.
    const std::pair<QString, QString> rows[] = {
        {"", "-"},
        {"abrir  /ruta/con espacio.ctu  ", "abrir|/ruta/con espacio.ctu"},
        {"guardar", "guardar"},
        {"buscar ", "buscar|"},  // an argument, empty
    };
    for (const auto& [typed, expected] : rows) {
        const auto command = ParseTypedCommand(typed);
        const QString got =
            !command ? QStringLiteral("-")
                     : command->word + (command->argument ? u'|' + *command->argument : QString());
        EXPECT_EQ(got, expected) << typed.toStdString();
    }
}

}  // namespace
}  // namespace cartulo::shell
