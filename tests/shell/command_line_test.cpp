// The command line: switches, then plain arguments.
#include "shell/command_line.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace cartulo::shell {
namespace {

CommandLine parsed(const QString& text) {
    CommandLine line;
    line.ParseCommandLine(text);
    return line;
}

QStringList argumentsOf(const CommandLine& line) {
    QStringList arguments;
    for (int i = 1; i <= line.ArgumentCount(); ++i) arguments << line.GetArgument(i);
    return arguments;
}

TEST(CommandLine, SwitchesThenArguments) {
    const CommandLine both = parsed(QStringLiteral("-debug -x:\"dos palabras\" uno dos"));
    EXPECT_EQ(both.SwitchCount(), 2);
    EXPECT_TRUE(both.HasSwitch(QStringLiteral("debug")));
    EXPECT_EQ(both.SwitchValue(QStringLiteral("DEBUG")), QString());
    EXPECT_EQ(both.SwitchValue(QStringLiteral("x")), QStringLiteral("dos palabras"));
    EXPECT_EQ(argumentsOf(both), (QStringList{QStringLiteral("uno"), QStringLiteral("dos")}));

    const CommandLine colon = parsed(QStringLiteral("-x:abc"));
    EXPECT_EQ(colon.SwitchValue(QStringLiteral("X")), QStringLiteral("abc"));
    EXPECT_EQ(colon.ArgumentCount(), 0);

    const CommandLine blank = parsed(QStringLiteral("-x abc"));
    EXPECT_TRUE(blank.HasSwitch(QStringLiteral("x")));
    EXPECT_EQ(blank.SwitchValue(QStringLiteral("x")), QString());
    EXPECT_EQ(argumentsOf(blank), QStringList{QStringLiteral("abc")});

    // A blank before the first colon ends the name; the colon is the argument's.
    const CommandLine later = parsed(QStringLiteral("-x a:b"));
    EXPECT_EQ(later.SwitchValue(QStringLiteral("x")), QString());
    EXPECT_EQ(argumentsOf(later), QStringList{QStringLiteral("a:b")});

    // "/" starts a path, never a switch.
    const CommandLine slash = parsed(QStringLiteral("/debug -x"));
    EXPECT_EQ(slash.SwitchCount(), 0);
    EXPECT_EQ(argumentsOf(slash), (QStringList{QStringLiteral("/debug"), QStringLiteral("-x")}));
}

TEST(CommandLine, DebugCountsInAnyCaseWithOrWithoutAValue) {
    for (const char* text :
         {"-debug", "-DEBUG", "-DeBuG", "-debug:1", "-debug:\"sí\" a.ctu", "-a -b -debug"}) {
        EXPECT_TRUE(parsed(QString::fromUtf8(text)).HasSwitch(QStringLiteral("Debug"))) << text;
    }
    EXPECT_FALSE(parsed(QStringLiteral("debug")).HasSwitch(QStringLiteral("debug")));
    EXPECT_FALSE(parsed(QStringLiteral("-debugx")).HasSwitch(QStringLiteral("debug")));
}

TEST(CommandLine, QuotesBlanksAndEmptyText) {
    EXPECT_EQ(argumentsOf(parsed(QStringLiteral("\"mis notas.ctu\""))),
              QStringList{QStringLiteral("mis notas.ctu")});
    // An unclosed quote takes the rest of the line, blanks and all.
    EXPECT_EQ(argumentsOf(parsed(QStringLiteral("\"mis notas.ctu  otra"))),
              QStringList{QStringLiteral("mis notas.ctu  otra")});
    const CommandLine unclosedValue = parsed(QStringLiteral("-x:\"a b c"));
    EXPECT_EQ(unclosedValue.SwitchValue(QStringLiteral("x")), QStringLiteral("a b c"));
    EXPECT_EQ(unclosedValue.ArgumentCount(), 0);
    // A closing quote ends the argument even with no blank after it.
    EXPECT_EQ(argumentsOf(parsed(QStringLiteral("\"a\"b c"))),
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    EXPECT_EQ(argumentsOf(parsed(QStringLiteral("\"\" x"))),
              (QStringList{QString(), QStringLiteral("x")}));

    const CommandLine runs = parsed(QStringLiteral("   -a    -b:1    uno     dos   "));
    EXPECT_EQ(runs.SwitchCount(), 2);
    EXPECT_EQ(runs.SwitchValue(QStringLiteral("b")), QStringLiteral("1"));
    EXPECT_EQ(argumentsOf(runs), (QStringList{QStringLiteral("uno"), QStringLiteral("dos")}));

    for (const QString& text : {QString(), QStringLiteral("    ")}) {
        const CommandLine empty = parsed(text);
        EXPECT_EQ(empty.SwitchCount(), 0);
        EXPECT_EQ(empty.ArgumentCount(), 0);
        EXPECT_EQ(empty.GetArgument(0), QString());
        EXPECT_EQ(empty.GetArgument(1), QString());
        EXPECT_FALSE(empty.HasSwitch(QString()));
    }
}

TEST(CommandLine, LimitsOfTwentySwitchesAndTenArguments) {
    QString text;
    for (int i = 1; i <= 21; ++i) text += QStringLiteral("-s%1 ").arg(i);
    const CommandLine many = parsed(text + QStringLiteral("archivo.ctu"));
    EXPECT_EQ(many.SwitchCount(), CommandLine::kMaxSwitches);
    EXPECT_TRUE(many.HasSwitch(QStringLiteral("s20")));
    EXPECT_FALSE(many.HasSwitch(QStringLiteral("s21")));
    EXPECT_EQ(argumentsOf(many),
              (QStringList{QStringLiteral("-s21"), QStringLiteral("archivo.ctu")}));

    const CommandLine eleven = parsed(QStringLiteral("1 2 3 4 5 6 7 8 9 10 11"));
    EXPECT_EQ(eleven.ArgumentCount(), CommandLine::kMaxArguments);
    EXPECT_EQ(eleven.GetArgument(10), QStringLiteral("10"));
    EXPECT_EQ(eleven.GetArgument(11), QString());
    EXPECT_EQ(eleven.GetArgument(-1), QString());
}

TEST(CommandLine, ArgumentsSplitByTheSystem) {
    CommandLine line;
    line.ParseArguments({QStringLiteral("-debug"), QStringLiteral("-Ruta:/a b:c"),
                         QStringLiteral("/home/ana/mis notas.ctu"), QStringLiteral("-tarde"),
                         QStringLiteral("\"citado\"")});
    EXPECT_EQ(line.SwitchCount(), 2);
    EXPECT_TRUE(line.HasSwitch(QStringLiteral("debug")));
    EXPECT_EQ(line.SwitchValue(QStringLiteral("ruta")), QStringLiteral("/a b:c"));
    // After the first plain argument a "-" is plain too; quotes stay as given.
    EXPECT_EQ(argumentsOf(line),
              (QStringList{QStringLiteral("/home/ana/mis notas.ctu"), QStringLiteral("-tarde"),
                           QStringLiteral("\"citado\"")}));

    QStringList many;
    for (int i = 1; i <= 21; ++i) many << QStringLiteral("-s%1").arg(i);
    for (int i = 1; i <= 11; ++i) many << QString::number(i);
    line.ParseArguments(many);
    EXPECT_EQ(line.SwitchCount(), CommandLine::kMaxSwitches);
    EXPECT_EQ(line.ArgumentCount(), CommandLine::kMaxArguments);
    EXPECT_EQ(line.GetArgument(1), QStringLiteral("-s21"));
    EXPECT_EQ(line.GetArgument(10), QStringLiteral("9"));

    // Parsing again starts afresh.
    line.ParseArguments({});
    EXPECT_EQ(line.SwitchCount(), 0);
    EXPECT_EQ(line.ArgumentCount(), 0);
}

}  // namespace
}  // namespace cartulo::shell
