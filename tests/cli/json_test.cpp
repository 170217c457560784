#include "cli/json.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "cli/grid_output.h"
#include "cli/json_check.h"

namespace quintello::cli {
namespace {

TEST(JsonString, EscapesWhatJsonRequires) {
  struct Case {
    std::string in, out;
  };
  const std::vector<Case> cases = {
      {"", R"("")"},
      {"N°   ", "\"N°   \""},
      {"a\"b", R"("a\"b")"},
      {"C:\\AMBROSA3\\DATI32.III", R"("C:\\AMBROSA3\\DATI32.III")"},
      {"riga\r\nnuova\tcolonna", R"("riga\r\nnuova\tcolonna")"},
      {"\b\f", R"("\b\f")"},
      {std::string("\x00\x01\x1f", 3), R"("\u0000\u0001\u001f")"},
      {"\x7f/", "\"\x7f/\""},  // DEL and the slash need no escape
      {"perché è già", "\"perché è già\""},
      {"\xF0\x9F\x98\x80", "\"\xF0\x9F\x98\x80\""},  // four-byte UTF-8 kept
  };
  for (const auto& [in, out] : cases) {
    SCOPED_TRACE(out);
    EXPECT_EQ(jsonString(in), out);
  }
}

TEST(JsonString, InvalidUtf8BecomesReplacementCharacters) {
  const std::string r = "\xEF\xBF\xBD";
  struct Case {
    std::string in, out;
  };
  const std::vector<Case> cases = {
      {"a\xE8z", "a" + r + "z"},            // a Latin-1 "è"
      {"\xC0\xAF", r + r},                  // overlong "/"
      {"\xED\xA0\x80", r + r + r},          // a UTF-16 surrogate
      {"\xF4\x90\x80\x80", r + r + r + r},  // above U+10FFFF
      {"x\xE2\x82", "x" + r + r},           // cut short at the end
      {"\xE2\x82"
       "A",
       r + r + "A"},                     // cut short before ASCII
      {"\x80", r},                       // a lone continuation byte
      {"\xC3\xA8\xFF", "\xC3\xA8" + r},  // valid, then a byte never used
  };
  for (const auto& [in, out] : cases) {
    SCOPED_TRACE(out);
    EXPECT_EQ(jsonString(in), "\"" + out + "\"");
    EXPECT_TRUE(isValidJson(jsonString(in)));
  }
}

TEST(JsonString, ReadsBackAsTheSameText) {
  for (const std::string text :
       {std::string("N° Est"), std::string("a\"b\\c\r\n\t"), std::string("\x01\x1f\x7f", 3),
        std::string("perché \xF0\x9F\x98\x80")}) {
    const auto parsed = parseJson(jsonString(text));
    ASSERT_TRUE(parsed) << text;
    EXPECT_EQ(parsed->type, JsonValue::Type::String);
    EXPECT_EQ(parsed->string, text);
  }
}

TEST(JsonNumber, ShortestFormAndNullForWhatJsonCannotHold) {
  EXPECT_EQ(jsonNumber(12), "12");
  EXPECT_EQ(jsonNumber(33.5), "33.5");
  EXPECT_EQ(jsonNumber(0.1), "0.1");
  EXPECT_EQ(jsonNumber(100.0 / 3), "33.333333333333336");
  EXPECT_EQ(jsonNumber(-0.25), "-0.25");
  EXPECT_EQ(jsonNumber(std::numeric_limits<double>::quiet_NaN()), "null");
  EXPECT_EQ(jsonNumber(std::numeric_limits<double>::infinity()), "null");
}

TEST(JsonWriter, PlacesCommasAndColons) {
  JsonWriter json;
  json.beginObject().key("a").value(1).key("b").beginArray();
  json.value("x").value(true).null().beginObject().endObject().beginArray().endArray();
  json.value(2.5).endArray().key("c").value(false).endObject();
  EXPECT_EQ(json.text(), R"({"a":1,"b":["x",true,null,{},[],2.5],"c":false})");
  EXPECT_TRUE(json.complete());
  EXPECT_TRUE(isValidJson(json.text()));
}

TEST(JsonWriter, RefusesMisuse) {
  {
    JsonWriter json;
    json.beginObject();
    EXPECT_THROW(json.value(1), std::logic_error);  // no key
    EXPECT_THROW(json.endArray(), std::logic_error);
    json.key("k");
    EXPECT_THROW(json.key("again"), std::logic_error);
    EXPECT_THROW(json.endObject(), std::logic_error);  // key without value
    EXPECT_FALSE(json.complete());
  }
  {
    JsonWriter json;
    json.value(1);
    EXPECT_THROW(json.value(2), std::logic_error);  // a second document
    EXPECT_THROW(json.key("k"), std::logic_error);
  }
}

TEST(GridsJson, CellsColoursBoldFloodAndLabels) {
  Grid grid = Grid::withHeader("Colpo|Perc");
  grid.addRow({"1", "33.3"});
  grid.addRow({"2"});
  grid.setBackColor(1, 0, GialloMedio);
  grid.setBold(1, 0, true);
  grid.setForeColor(2, 0, kBlue);
  grid.setFlood(1, 1, Arancio, 100.0 / 3);
  const std::string json = gridsJson(
      {{"colpi", &grid}},
      {{"Label3", "3", kWhite, kBlack}, {"Lbl_T", "12", kGreen, kBlue}, {"Label1", "8  \"33\""}});
  const std::string cell = R"("back":"#ffffff","fore":"#000000","bold":false)";
  const std::string expected =
      R"({"grids":[{"name":"colpi","rows":[)"
      R"([{"text":"Colpo",)" +
      cell + R"(},{"text":"Perc",)" + cell +
      R"(}],)"
      R"([{"text":"1","back":"#ffff80","fore":"#000000","bold":true},)"
      R"({"text":"33.3",)" +
      cell +
      R"(,"flood":{"color":"#ff8000","percent":33.333333333333336}}],)"
      R"([{"text":"2","back":"#ffffff","fore":"#0000ff","bold":false},{"text":"",)" +
      cell +
      R"(}]]}],"labels":{"Label3":{"text":"3","back":"#ffffff","fore":"#000000"},)"
      R"("Lbl_T":{"text":"12","back":"#00ff00","fore":"#0000ff"},)"
      R"("Label1":{"text":"8  \"33\"","back":"#ffffff","fore":"#000000"}}})";
  EXPECT_EQ(json, expected);
  EXPECT_TRUE(isValidJson(json));
}

TEST(GridsJson, NothingPrintedStillAWholeDocument) {
  EXPECT_EQ(gridsJson({}, {}), R"({"grids":[],"labels":{}})");
}

TEST(JsonCheck, TellsValidFromBroken) {
  // The checker the end-to-end tests rely on must itself refuse broken documents.
  for (const char* good : {R"({})", R"([1,-2.5e3,"a\u00e8",true,false,null])", R"({"a":{"b":[]}})"})
    EXPECT_TRUE(isValidJson(good)) << good;
  for (const char* bad : {"", "{", R"({"a":1,})", R"([1 2])", R"({"a" 1})", R"("a)", R"("\x")",
                          "[01]", "\"\t\"", "{}{}", R"({'a':1})", "[1,]", "nul"})
    EXPECT_FALSE(isValidJson(bad)) << bad;
}

}  // namespace
}  // namespace quintello::cli
