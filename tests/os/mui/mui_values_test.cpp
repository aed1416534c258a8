// The value rules of the input classes: a string's contents and integer as two
// views of one text, its length limit and accepted characters; numbers and
// choices kept within their ranges.
#include <string>

#include "tests/os/mui/mui_test_support.h"

namespace {

using MuiValues = MuiTest;

TEST_F(MuiValues, ContentsAndIntegerAreTwoViewsOfOneText) {
  struct Case {
    const char* contents;
    IPTR integer;
  } cases[] = {
      {"42", 42},     {" -17", -17}, {"", 0},   {"-", 0},     {"   ", 0},       {"$1F", 31},
      {"%101", 5},    {"12abc", 12}, {"x12", 0}, {"2147483647", 2147483647},  {"2147483648", 0},
      {"-2147483648", -2147483647 - 1}, {"$FFFFFFFF", -1},
  };
  Object* s = MUI_NewObject("String.mui", MUIA_String_MaxLen, 64);
  for (const Case& c : cases) {
    SetAttrs(s, MUIA_String_Contents, c.contents);
    EXPECT_EQ(attr(s, MUIA_String_Integer), c.integer) << c.contents;
  }
  for (IPTR n : {IPTR(0), IPTR(-5), IPTR(123456)}) {
    SetAttrs(s, MUIA_String_Integer, n);
    EXPECT_EQ(textAttr(s, MUIA_String_Contents), std::to_string(n));
    EXPECT_EQ(attr(s, MUIA_String_Integer), n);
  }
  SetAttrs(s, MUIA_String_Contents, nullptr);
  EXPECT_EQ(textAttr(s, MUIA_String_Contents), "");
  MUI_DisposeObject(s);
  Object* fromNumber = MUI_NewObject("String.mui", MUIA_String_Integer, 7);
  EXPECT_EQ(textAttr(fromNumber, MUIA_String_Contents), "7");
  MUI_DisposeObject(fromNumber);
}

TEST_F(MuiValues, AStringHoldsAtMostMaxLenMinusOneCharacters) {
  struct Case {
    IPTR maxLen;
    const char* given;
    const char* kept;
  } cases[] = {{5, "abcdefgh", "abcd"}, {5, "abcd", "abcd"}, {1, "abc", ""}, {0, "abc", ""}, {256, "x", "x"}};
  for (const Case& c : cases) {
    // The length given after the contents among the tags cuts them too.
    Object* s = MUI_NewObject("String.mui", MUIA_String_Contents, c.given, MUIA_String_MaxLen, c.maxLen);
    EXPECT_EQ(textAttr(s, MUIA_String_Contents), c.kept) << c.maxLen << " " << c.given;
    SetAttrs(s, MUIA_String_Contents, "");
    SetAttrs(s, MUIA_String_Contents, c.given);
    EXPECT_EQ(textAttr(s, MUIA_String_Contents), c.kept) << c.maxLen << " " << c.given;
    MUI_DisposeObject(s);
  }
  Object* s = MUI_NewObject("String.mui", MUIA_String_MaxLen, 4);
  SetAttrs(s, MUIA_String_Integer, 123456);
  EXPECT_EQ(textAttr(s, MUIA_String_Contents), "123");
  EXPECT_EQ(attr(s, MUIA_String_MaxLen), 4);
  MUI_DisposeObject(s);
}

TEST_F(MuiValues, TypingTakesOnlyAcceptedCharactersWithinTheLength) {
  struct Case {
    const char* accept;
    IPTR maxLen;
    const char* before;
    const char* typed;
    const char* after;
    IPTR taken;
  } cases[] = {
      {"0123456879-", 256, "", "a1b2-3", "12-3", 4},
      {nullptr, 256, "ab", "cd", "abcd", 2},
      {nullptr, 4, "a", "bcdef", "abc", 2},
      {"x", 256, "", "", "", 0},
  };
  for (const Case& c : cases) {
    Object* s = MUI_NewObject("String.mui", MUIA_String_Accept, c.accept, MUIA_String_MaxLen, c.maxLen,
                              MUIA_String_Contents, c.before);
    RecordingHook changed(1);
    std::string seen;  // the text notified is valid during the call only
    changed.then = [&](Object*, void* message) -> IPTR {
      seen = reinterpret_cast<const char*>(static_cast<IPTR*>(message)[0]);
      return 0;
    };
    DoMethod(s, MUIM_Notify, MUIA_String_Contents, MUIV_EveryTime, MUIV_Notify_Self, 3, MUIM_CallHook,
             &changed.hook, MUIV_TriggerValue);
    EXPECT_EQ(DoMethod(s, MUIM_String_Type, c.typed), c.taken) << c.typed;
    EXPECT_EQ(textAttr(s, MUIA_String_Contents), c.after) << c.typed;
    EXPECT_EQ(changed.calls.size(), 1u);
    EXPECT_EQ(seen, c.after);
    // A program's set is not filtered by the accepted characters.
    SetAttrs(s, MUIA_String_Contents, "z");
    EXPECT_EQ(textAttr(s, MUIA_String_Contents), "z");
    SetAttrs(s, MUIA_Disabled, 1);
    EXPECT_EQ(DoMethod(s, MUIM_String_Type, "0"), 0);
    EXPECT_EQ(textAttr(s, MUIA_String_Contents), "z");
    MUI_DisposeObject(s);
  }
}

TEST_F(MuiValues, NumbersAndChoicesStayWithinTheirRanges) {
  Object* slider = MUI_NewObject("Slider.mui", MUIA_Numeric_Value, 15, MUIA_Numeric_Min, 1, MUIA_Numeric_Max, 10);
  EXPECT_EQ(attr(slider, MUIA_Numeric_Value), 10);
  struct Step {
    Tag tag;
    IPTR set, value;
  } steps[] = {{MUIA_Numeric_Value, -3, 1}, {MUIA_Numeric_Value, 7, 7}, {MUIA_Numeric_Max, 5, 5},
               {MUIA_Numeric_Min, 6, 6},    {MUIA_Numeric_Value, 0, 6}};
  for (const Step& s : steps) {
    SetAttrs(slider, s.tag, s.set);
    EXPECT_EQ(attr(slider, MUIA_Numeric_Value), s.value);
  }
  MUI_DisposeObject(slider);

  const char* entries[] = {"One", "Two", "Three", nullptr};
  Object* cycle = MUI_NewObject("Cycle.mui", MUIA_Cycle_Entries, entries, MUIA_Cycle_Active, 7);
  Object* radio = MUI_NewObject("Radio.mui", MUIA_Radio_Entries, entries, MUIA_Radio_Active, 1);
  EXPECT_EQ(attr(cycle, MUIA_Cycle_Active), 2);
  SetAttrs(cycle, MUIA_Cycle_Active, -1);
  SetAttrs(radio, MUIA_Radio_Active, 3);
  EXPECT_EQ(ostest::dumpMuiTree(cycle) + " " + ostest::dumpMuiTree(radio), "Cycle \"One\" Radio \"Three\"");
  MUI_DisposeObject(cycle);
  MUI_DisposeObject(radio);
}

}  // namespace
