// Command menus: the grammar, the checks of the parameter form and the command built from it.

#include "base/text.h"
#include "ticket/menu_file.h"
#include "ticket/parameter_form.h"

#include <gtest/gtest.h>

using namespace trix::ticket;

namespace {

const char* kGood = "; outputs of the receiver\r\n"
                    "Query identification\r\n"
                    "$PXKTQ,RID\r\n"
                    "*Outputs\r\n"
                    "Position output\r\n"
                    "$PXKTS,NME,POS,#,%L\r\n"
                    "State;ON(on*),OFF(off)\r\n"
                    "**Rates\r\n"
                    "\r\n"
                    "Elevation mask\r\n"
                    "$PXKTS,ELM,%N\r\n"
                    "Degrees;0,90,10\r\n"
                    "*Ports\r\n"
                    "Speed\r\n"
                    "$PXKTS,SPD,%L,%L\r\n"
                    "Port;A,B\r\n"
                    "Baud;4(4800),5(9600*)\r\n";

int errorLine(const std::string& text) {
    MenuFile m = compileMenu(text, "x.MNU");
    EXPECT_FALSE(m.ok);
    EXPECT_TRUE(m.items.empty());
    return m.errorLine;
}

} // namespace

TEST(MenuGrammar, HeadingsEntriesDepthsAndParents) {
    MenuFile m = compileMenu(kGood, "x.MNU");
    ASSERT_TRUE(m.ok) << m.error;
    ASSERT_EQ(m.items.size(), 7u);
    EXPECT_FALSE(m.items[0].heading);
    EXPECT_EQ(m.items[0].depth, 0);
    EXPECT_EQ(m.items[0].parent, -1);
    EXPECT_EQ(m.items[0].command, "$PXKTQ,RID");
    EXPECT_TRUE(m.items[1].heading);
    EXPECT_EQ(m.items[1].title, "Outputs");
    EXPECT_EQ(m.items[2].depth, 1);
    EXPECT_EQ(m.items[2].parent, 1);
    EXPECT_EQ(m.items[3].title, "Rates");
    EXPECT_EQ(m.items[3].depth, 1);
    EXPECT_EQ(m.items[4].depth, 2);
    EXPECT_EQ(m.items[4].parent, 3);
    EXPECT_EQ(m.items[4].line, 10);
    EXPECT_EQ(m.items[5].depth, 0); // a new top-level heading closes the subgroup
    EXPECT_EQ(m.items[6].parent, 5);
    ASSERT_EQ(m.items[6].params.size(), 2u);
    EXPECT_EQ(m.items[6].params[1].defaultChoice, 1);
    EXPECT_EQ(m.items[6].params[1].values[1], "5(9600*)");
}

TEST(MenuGrammar, EachBrokenRuleNamesItsLine) {
    EXPECT_EQ(errorLine("A\n$PXKTS,ELM,%X\n"), 2);                  // unknown type letter
    EXPECT_EQ(errorLine("A\n$PXKTS,ELM,%\n"), 2);                   // '%' at the end
    EXPECT_EQ(errorLine("A\n$PXKTS,ELM,%N\nDegrees 0,90,10\n"), 3); // no ';'
    EXPECT_EQ(errorLine("A\n$PXKTS,ELM,%N\nDeg;0,,10\n"), 3);       // empty value
    EXPECT_EQ(errorLine("A\n$PXKTS,ELM,%N\nDeg;0,90\n"), 3);        // N needs three
    EXPECT_EQ(errorLine("A\n$X,%T\nName;1\n"), 3);                  // T needs two or three
    EXPECT_EQ(errorLine("A\n$X,%T\nName;1,2,3,4\n"), 3);
    EXPECT_EQ(errorLine("A\n$PXKTS,ELM,%N\nDeg;low,90,10\n"), 3); // bound not a number
    EXPECT_EQ(errorLine("A\n$PXKTS,ELM,%N\nDeg;90,0,10\n"), 3);   // min above max
    EXPECT_EQ(errorLine("A\n$X,%T\nName;5,2\n"), 3);
    EXPECT_EQ(errorLine("A\n$PXKTS,ELM,%N\nDeg;0,90,ten\n"), 3);
    // A file that ends inside an entry: the line after the last.
    EXPECT_EQ(errorLine("A\n$PXKTS,NME,%L,%L\nOne;A\n"), 4);
    EXPECT_EQ(errorLine("; c\nTitle only"), 3);
    // Lines longer than 254 characters.
    EXPECT_EQ(errorLine("A\n$X," + std::string(260, 'Y') + "\n"), 2);
    MenuFile m = compileMenu("A\n$X,%N\nD;1,2\n", "/tmp/rx05.MNU");
    EXPECT_EQ(m.error, "Error on compiling\n/tmp/rx05.MNU\nat the line # 3");
}

TEST(MenuGrammar, LongestLineIsTaken) {
    MenuFile m = compileMenu("A\n$X," + std::string(251, 'Y') + "\n", "x");
    EXPECT_TRUE(m.ok);
}

TEST(ParameterForm, NumberChecksAndNewDefault) {
    MenuFile m = compileMenu("Mask\n$PXKTS,ELM,%N\nDegrees;0,90,10\n", "x");
    ASSERT_TRUE(m.ok);
    MenuItem& e = m.items[0];
    ParamAnswer a = defaultAnswer(e.params[0]);
    EXPECT_EQ(a.text, "10");
    for (const char* bad : {"95", "-", "1-2", "1.2.3", "", "+", "5x", "nan"}) {
        a.text = bad;
        BuiltCommand b = buildCommand(e, {a}, 'A');
        EXPECT_FALSE(b.ok) << bad;
        EXPECT_EQ(b.message, "Enter value between 0 and 90") << bad;
        EXPECT_EQ(b.badParam, 0);
    }
    a.text = "5";
    BuiltCommand b = buildCommand(e, {a}, 'A');
    ASSERT_TRUE(b.ok);
    EXPECT_EQ(b.command, "$PXKTS,ELM,5");
    EXPECT_EQ(defaultAnswer(e.params[0]).text, "5");
    a.text = "+90.0";
    EXPECT_TRUE(buildCommand(e, {a}, 'A').ok);
}

TEST(ParameterForm, TemplateIsFilledOnceLeftToRight) {
    MenuFile m = compileMenu("Name\n$PXKTS,NAM,#,%T,%N,#\nName;0,20\nNumber;0,9,1\n", "x");
    ASSERT_TRUE(m.ok);
    MenuItem& e = m.items[0];
    ParamAnswer t{"A%N#B", -1, {}};
    ParamAnswer n{"3", -1, {}};
    BuiltCommand b = buildCommand(e, {t, n}, 'B');
    ASSERT_TRUE(b.ok) << b.message;
    // Only the template's first '#' is the port; nothing the user typed is replaced.
    EXPECT_EQ(b.command, "$PXKTS,NAM,B,A%N#B,3,#");
    EXPECT_EQ(buildCommand(e, {t, n}, 0).command, "$PXKTS,NAM,A,A%N#B,3,#");
    for (const char* hostile : {"A*12", "$PXKTS", "A\r\nB", "tab\there", "\x7f"}) {
        t.text = hostile;
        BuiltCommand bad = buildCommand(e, {t, n}, 'B');
        EXPECT_FALSE(bad.ok) << hostile;
        EXPECT_EQ(bad.message, "The text may not contain '*', '$' or control characters.");
    }
    t.text = std::string(21, 'X');
    EXPECT_EQ(buildCommand(e, {t, n}, 'B').message, "Enter value between 0 and 20");
}

TEST(ParameterForm, ListsAndMultipleChoice) {
    MenuFile m = compileMenu("Speed\n$PXKTS,SPD,#,%L\nBaud;4(4800),5(9600),9(115200)\n"
                             "Outputs\n$PXKTS,NME,%M,#,ON\nMessages;POS,SAT,GSA\n",
                             "x");
    ASSERT_TRUE(m.ok);
    // No '*': the first value is preselected, never "no choice".
    ParamAnswer l = defaultAnswer(m.items[0].params[0]);
    EXPECT_EQ(l.choice, 0);
    EXPECT_EQ(buildCommand(m.items[0], {l}, 'C').command, "$PXKTS,SPD,C,4");
    l.choice = 2;
    EXPECT_EQ(buildCommand(m.items[0], {l}, 'C').command, "$PXKTS,SPD,C,9");
    EXPECT_EQ(listText("9(115200*)"), "115200");
    EXPECT_EQ(listCode("9(115200*)"), "9");
    EXPECT_EQ(listCode("ON*"), "ON");

    ParamAnswer mm = defaultAnswer(m.items[1].params[0]);
    EXPECT_EQ(buildCommand(m.items[1], {mm}, 'A').message, "There is no selection !");
    mm.ticked = {true, false, true};
    EXPECT_EQ(buildCommand(m.items[1], {mm}, 'A').command, "$PXKTS,NME,POS,GSA,A,ON");
}

TEST(ParameterForm, CommandLengthIsLimited) {
    EXPECT_TRUE(checkCommandLength(std::string(1021, 'X')).empty());
    EXPECT_EQ(checkCommandLength(std::string(1022, 'X')),
              "The command is longer than 1021 characters and is not sent.");
    EXPECT_TRUE(isDecimalNumber(".5"));
    EXPECT_TRUE(isDecimalNumber("-12."));
    EXPECT_FALSE(isDecimalNumber("."));
}
