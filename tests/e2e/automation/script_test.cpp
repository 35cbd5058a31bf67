// The automation's script language, checked natively: a script that zauto
// would misread or refuse costs a whole run under Wine to find.
#include "tests/e2e/automation/command_syntax.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace zauto {
namespace {

using Words = std::vector<std::string>;

Words words_of(const std::string& line) {
  const ParsedScript parsed = parse_script(line);
  EXPECT_FALSE(parsed.error) << parsed.error->message;
  return parsed.steps.empty() ? Words{} : parsed.steps[0].words;
}

TEST(ScriptTest, QuotesGroupBlanksAndEscapesEvenInsideAWord) {
  EXPECT_EQ(words_of("click Form1[\"İleri >>\"]"), (Words{"click", "Form1[İleri >>]"}));
  EXPECT_EQ(words_of("write-file \"a b\" \"\\\"\\\\\\n\\r\\t\""), (Words{"write-file", "a b", "\"\\\n\r\t"}));
  EXPECT_EQ(words_of("expect-text X \"\""), (Words{"expect-text", "X", ""}));
}

TEST(ScriptTest, CommentStartsOnlyOutsideWordsAndQuotes) {
  EXPECT_EQ(words_of("  # a whole line"), Words{});
  EXPECT_EQ(words_of("click A # pressed\r"), (Words{"click", "A"}));
  EXPECT_EQ(words_of("write-file a#b \"#1\""), (Words{"write-file", "a#b", "#1"}));
}

TEST(ScriptTest, StepsAndErrorsCarryTheirLineNumbers) {
  const ParsedScript good = parse_script("\xEF\xBB\xBFtimeout 5\n\n# comment\nclick A\n");
  ASSERT_FALSE(good.error);
  ASSERT_EQ(good.steps.size(), 2u);
  EXPECT_EQ(good.steps[0].words[0], "timeout") << "the byte-order mark is no part of the command";
  EXPECT_EQ(good.steps[1].line, 4);
  EXPECT_EQ(good.steps[1].text, "click A");

  for (const auto& [source, message] : {std::pair<std::string, std::string>{"a\nb\nc \"open\n", "a quoted text is not closed"},
                                        {"a\nb\nc \"\\q\"\n", "unknown escape \\q"},
                                        {"a\nb\nc \"x\\", "a backslash ends the line"}}) {
    const ParsedScript bad = parse_script(source);
    ASSERT_TRUE(bad.error) << source;
    EXPECT_EQ(bad.error->line, 3);
    EXPECT_EQ(bad.error->message, message);
  }
}

TEST(ScriptTest, UnknownCommandsAndWrongArgumentCountsAreRefused) {
  const auto check = [](const std::string& line) { return check_step(parse_script(line).steps.at(0)); };
  EXPECT_EQ(check("clik Form1.Command2"), "unknown command \"clik\"");
  EXPECT_EQ(check("expect-text Form1.Label10"), "expects 2 arguments, has 1");
  EXPECT_EQ(check("expect-msgbox T X answer=OK buttons=OK extra"), "expects 3 to 4 arguments, has 5");
  EXPECT_EQ(check("expect-listing"), "expects at least 1 arguments, has 0");
  EXPECT_EQ(check("expect-listing C:\\x a b c d e f"), std::nullopt);
  EXPECT_EQ(check("walk-to-page 3"), std::nullopt);
}

// Every scenario reads and checks cleanly before any of them meets Wine.
TEST(ScriptTest, EveryScenarioIsWellFormed) {
  int scenarios = 0;
  for (const auto& entry : std::filesystem::directory_iterator(ZAUTO_SCENARIO_DIR)) {
    if (entry.path().extension() != ".zauto") continue;
    ++scenarios;
    std::ifstream file(entry.path(), std::ios::binary);
    const ParsedScript script = parse_script(std::string(std::istreambuf_iterator<char>(file), {}));
    ASSERT_FALSE(script.error) << entry.path() << ":" << script.error->line << ": " << script.error->message;
    for (const Step& step : script.steps) {
      EXPECT_EQ(check_step(step), std::nullopt) << entry.path() << ":" << step.line << ": " << step.text;
    }
  }
  EXPECT_GT(scenarios, 0);
}

}  // namespace
}  // namespace zauto
