#include "settings/ZetRegistry.h"

#include <gtest/gtest.h>

#include <optional>

#include "SettingsTestSupport.h"
#include "support/CaseNames.h"
#include "support/StatusOf.h"

namespace zetgallery {

namespace {

constexpr char kTestKey[] = "Software\\Test";

// A stored value of some kind and bytes, and what the two reads make of it.
struct TRawValueCase {
  const char* label;
  int type;
  const char* hexData;
  std::optional<int32_t> integer;   // the number ReadInteger gives, or
  const char* integerError;         // the error it throws
  std::optional<std::string> text;  // the text ReadString gives, or
  const char* textError;            // the error it throws
};

void PrintTo(const TRawValueCase& c, std::ostream* os) {
  PrintCase(os, c.label, c.type, c.hexData, c.integer, c.integerError, c.text, c.textError);
}

const TRawValueCase kRawValueCases[] = {
    {"DwordFortyTwo", kRegDword, "2A000000", 42, nullptr, std::nullopt,
     "Invalid data type for 'V'"},
    {"DwordMinusOne", kRegDword, "FFFFFFFF", -1, nullptr, std::nullopt,
     "Invalid data type for 'V'"},
    {"DwordLowest", kRegDword, "00000080", INT32_MIN, nullptr, std::nullopt,
     "Invalid data type for 'V'"},
    {"DwordHighBytesCount", kRegDword, "01020304", 0x04030201, nullptr, std::nullopt,
     "Invalid data type for 'V'"},
    {"DwordTwoBytes", kRegDword, "0100", std::nullopt, "Failed to get data for 'V'", std::nullopt,
     "Invalid data type for 'V'"},
    {"DwordEightBytes", kRegDword, "0100000000000000", std::nullopt, "Failed to get data for 'V'",
     std::nullopt, "Invalid data type for 'V'"},
    {"TextOneCharacter", kRegSz, "3500", std::nullopt, "Invalid data type for 'V'", "5", nullptr},
    {"TextThreeCharacters", kRegSz, "31323300", std::nullopt, "Invalid data type for 'V'", "123",
     nullptr},
    {"TextFourCharacters", kRegSz, "3132333400", std::nullopt, "Failed to get data for 'V'", "1234",
     nullptr},
    {"TextEmpty", kRegSz, "00", std::nullopt, "Invalid data type for 'V'", "", nullptr},
    {"TextWithoutTerminator", kRegSz, "7879", std::nullopt, "Invalid data type for 'V'", "xy",
     nullptr},
    {"TextUpToFirstZero", kRegSz, "61620063640000", std::nullopt, "Failed to get data for 'V'",
     "ab", nullptr},
    {"ExpandTextTakenLiterally", kRegExpandSz, "25484F4D452500", std::nullopt,
     "Failed to get data for 'V'", "%HOME%", nullptr},
    {"CyrillicText", kRegSz, "D0AFD0BD00", std::nullopt, "Failed to get data for 'V'", "Ян",
     nullptr},
    {"BinaryByte", kRegBinary, "01", std::nullopt, "Invalid data type for 'V'", std::nullopt,
     "Invalid data type for 'V'"},
    {"MultiText", 7, "6100620000", std::nullopt, "Failed to get data for 'V'", std::nullopt,
     "Invalid data type for 'V'"},
};

class RawValueTest : public SettingsDatabaseTest,
                     public ::testing::WithParamInterface<TRawValueCase> {};

TEST_P(RawValueTest, ReadsAsTheKindAllows) {
  const TRawValueCase& c = GetParam();
  PutRawValue(kTestKey, "V", c.type, c.hexData);
  TZetRegistry registry(database_);
  ASSERT_TRUE(registry.OpenKey(kTestKey, false));
  EXPECT_TRUE(registry.ValueExists("V").value());
  if (c.integer) {
    EXPECT_EQ(registry.ReadInteger("V").value(), *c.integer);
    EXPECT_EQ(registry.ReadIntegerOrDefault("V", 777).value(), *c.integer);
    EXPECT_EQ(registry.ReadBool("V").value(), *c.integer != 0);
  } else {
    EXPECT_EQ(StatusOf(registry.ReadInteger("V")).message(), c.integerError);
    // A present value of the wrong kind is an error, never the default.
    EXPECT_FALSE(StatusOf(registry.ReadIntegerOrDefault("V", 777)).ok());
    EXPECT_FALSE(StatusOf(registry.ReadFlagOrDefault("V", true)).ok());
  }
  if (c.text) {
    EXPECT_EQ(registry.ReadString("V").value(), *c.text);
  } else {
    EXPECT_EQ(StatusOf(registry.ReadString("V")).message(), c.textError);
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, RawValueTest, ::testing::ValuesIn(kRawValueCases),
                         [](const auto& info) { return std::string(info.param.label); });

using RegistryTest = SettingsDatabaseTest;

TEST_F(RegistryTest, WrittenValuesReadBackWithTheirKinds) {
  TZetRegistry registry(database_);
  ASSERT_TRUE(registry.OpenKey(kTestKey, true));
  EXPECT_TRUE(registry.WriteString("Text", "  C:\\Фото \"1\"  ").ok());
  EXPECT_TRUE(registry.WriteString("Empty", "").ok());
  EXPECT_TRUE(registry.WriteInteger("Number", -123456).ok());
  EXPECT_TRUE(registry.WriteBool("On", true).ok());
  EXPECT_TRUE(registry.WriteBool("Off", false).ok());
  EXPECT_EQ(registry.ReadString("Text").value(), "  C:\\Фото \"1\"  ");
  EXPECT_EQ(registry.ReadString("Empty").value(), "");
  EXPECT_TRUE(registry.ValueExists("Empty").value());
  EXPECT_EQ(registry.ReadInteger("Number").value(), -123456);
  EXPECT_TRUE(registry.ReadBool("On").value());
  EXPECT_FALSE(registry.ReadBool("Off").value());
  EXPECT_EQ(QuerySql("SELECT name, type, hex(data) FROM vals ORDER BY fold"),
            (std::vector<std::string>{"Empty|1|00", "Number|4|C01DFEFF", "Off|4|00000000",
                                      "On|4|01000000",
                                      "Text|1|2020433A5CD0A4D0BED182D0BE20223122202000"}));
}

TEST_F(RegistryTest, AbsentValuesAndNoOpenKey) {
  TZetRegistry registry(database_);
  EXPECT_FALSE(registry.ValueExists("LastSettings").value());
  EXPECT_EQ(registry.ReadString("LastSettings").value(), "");
  EXPECT_EQ(registry.ReadIntegerOrDefault("X", 5).value(), 5);
  EXPECT_TRUE(registry.ReadFlagOrDefault("X", true).value());
  EXPECT_EQ(StatusOf(registry.WriteString("LastSettings", "a")).message(),
            "Failed to set data for 'LastSettings'");
  EXPECT_FALSE(StatusOf(registry.WriteInteger("N", 1)).ok());
  ASSERT_TRUE(registry.OpenKey(kTestKey, true));
  EXPECT_EQ(StatusOf(registry.ReadInteger("Missing")).message(),
            "Failed to get data for 'Missing'");
  EXPECT_EQ(registry.ReadIntegerOrDefault("Missing", -7).value(), -7);
  EXPECT_FALSE(registry.ReadFlagOrDefault("Missing", false).value());
}

// Names that must find each other, whatever letter case the second one uses.
struct TNamePair {
  const char* created;
  const char* used;
};

void PrintTo(const TNamePair& c, std::ostream* os) { PrintCase(os, c.created, c.used); }

const TNamePair kSameNames[] = {
    {"Trip", "trip"}, {"trip", "TRIP"},   {"Поездка", "ПОЕЗДКА"},
    {"ёлка", "ЁЛКА"}, {"Ωμέγα", "ΩΜΈΓΑ"}, {"<без названия>", "<Без названия>"},
};

class NameCaseTest : public SettingsDatabaseTest,
                     public ::testing::WithParamInterface<TNamePair> {};

TEST_P(NameCaseTest, KeyNamesIgnoreCaseAndKeepTheirFirstSpelling) {
  const TNamePair& pair = GetParam();
  const std::string parent = "Software\\Cases";
  TZetRegistry registry(database_);
  ASSERT_TRUE(registry.OpenKey(parent + "\\" + pair.created, true));
  EXPECT_TRUE(registry.WriteInteger("A", 1).ok());
  registry.CloseKey();
  ASSERT_TRUE(registry.OpenKey(parent + "\\" + pair.used, false));
  EXPECT_EQ(registry.ReadInteger("a").value(), 1);
  EXPECT_TRUE(registry.WriteInteger("A", 2).ok());
  registry.CloseKey();
  ASSERT_TRUE(registry.OpenKey(parent, false));
  std::vector<std::string> names;
  registry.GetKeyNames(names);
  EXPECT_EQ(names, std::vector<std::string>{pair.created});
}

TEST_P(NameCaseTest, ValueNamesIgnoreCaseAndKeepTheirFirstSpelling) {
  const TNamePair& pair = GetParam();
  TZetRegistry registry(database_);
  ASSERT_TRUE(registry.OpenKey(kTestKey, true));
  EXPECT_TRUE(registry.WriteString(pair.created, "first").ok());
  EXPECT_TRUE(registry.WriteString(pair.used, "second").ok());
  EXPECT_EQ(registry.ReadString(pair.created).value(), "second");
  EXPECT_EQ(QuerySql("SELECT name FROM vals"), std::vector<std::string>{pair.created});
}

INSTANTIATE_TEST_SUITE_P(Names, NameCaseTest, ::testing::ValuesIn(kSameNames),
                         CaseNamesBy(&TNamePair::created, &TNamePair::used));

TEST_F(RegistryTest, DifferentNamesStayApart) {
  TZetRegistry registry(database_);
  ASSERT_TRUE(registry.OpenKey(kTestKey, true));
  EXPECT_TRUE(registry.WriteInteger("Trip", 1).ok());
  EXPECT_TRUE(registry.WriteInteger("Trip ", 2).ok());
  EXPECT_TRUE(registry.WriteInteger("Trіp", 3).ok());  // Ukrainian і, a different letter
  EXPECT_EQ(registry.ReadInteger("trip").value(), 1);
  EXPECT_EQ(registry.ReadInteger("TRIP ").value(), 2);
  EXPECT_EQ(registry.ReadInteger("TRІP").value(), 3);
}

struct TPathCase {
  const char* path;
  bool opens;  // with creation allowed
};

void PrintTo(const TPathCase& c, std::ostream* os) { PrintCase(os, c.path, c.opens); }

const TPathCase kPathCases[] = {
    {"Software\\Vorlan\\ZetGallery", true},
    {"\\Software\\Vorlan", true},  // a leading separator starts at the root
    {"Software\\\\Vorlan", false},
    {"Software\\Vorlan\\", false},
    {"\\\\Software", false},
    {"Software\\Vorlan\\ZetGallery\\NamedSettings\\a/b c", true},
};

class KeyPathTest : public SettingsDatabaseTest, public ::testing::WithParamInterface<TPathCase> {};

TEST_P(KeyPathTest, EmptyKeyNamesNameNoKey) {
  TZetRegistry registry(database_);
  EXPECT_EQ(registry.OpenKey(GetParam().path, true), GetParam().opens);
  EXPECT_EQ(registry.HasOpenKey(), GetParam().opens);
  if (!GetParam().opens) {
    EXPECT_EQ(QuerySql("SELECT count(*) FROM keys"), (std::vector<std::string>{"0"}));
  }
}

INSTANTIATE_TEST_SUITE_P(Paths, KeyPathTest, ::testing::ValuesIn(kPathCases),
                         CaseNamesBy(&TPathCase::path));

TEST_F(RegistryTest, OpeningWithoutCreationCreatesNothing) {
  TZetRegistry registry(database_);
  EXPECT_FALSE(registry.OpenKey("Software\\Vorlan\\ZetGallery", false));
  EXPECT_FALSE(registry.HasOpenKey());
  EXPECT_EQ(QuerySql("SELECT count(*) FROM keys"), std::vector<std::string>{"0"});
}

TEST_F(RegistryTest, OpenKeyIsRelativeToTheOpenKey) {
  TZetRegistry registry(database_);
  ASSERT_TRUE(registry.OpenKey("Software", true));
  ASSERT_TRUE(registry.OpenKey("Inner", true));
  EXPECT_TRUE(registry.WriteInteger("N", 9).ok());
  registry.CloseKey();
  ASSERT_TRUE(registry.OpenKey("Software\\Inner", false));
  EXPECT_EQ(registry.ReadInteger("N").value(), 9);
}

TEST_F(RegistryTest, DeleteKeyTakesItsSubKeysAndValuesOnly) {
  TZetRegistry registry(database_);
  for (const char* path :
       {"Software\\Z\\Named\\A", "Software\\Z\\Named\\A\\Deep\\Deeper", "Software\\Z\\Named\\B"}) {
    ASSERT_TRUE(registry.OpenKey(path, true));
    EXPECT_TRUE(registry.WriteString("Where", path).ok());
    registry.CloseKey();
  }
  EXPECT_TRUE(registry.DeleteKey("Software\\Z\\Named\\a"));
  EXPECT_FALSE(registry.OpenKey("Software\\Z\\Named\\A\\Deep", false));
  ASSERT_TRUE(registry.OpenKey("Software\\Z\\Named", false));
  std::vector<std::string> names{"stale"};
  registry.GetKeyNames(names);
  EXPECT_EQ(names, std::vector<std::string>{"B"});
  registry.CloseKey();
  EXPECT_EQ(QuerySql("SELECT name, CAST(data AS TEXT) FROM vals"),
            std::vector<std::string>{"Where|Software\\Z\\Named\\B"});
  EXPECT_EQ(QuerySql("SELECT count(*) FROM keys"), std::vector<std::string>{"5"});
}

struct TDeleteCase {
  const char* path;
  bool deletes;
};

void PrintTo(const TDeleteCase& c, std::ostream* os) { PrintCase(os, c.path, c.deletes); }

const TDeleteCase kDeleteCases[] = {
    {"Software\\Z\\Missing", false}, {"", false},           {"\\", false}, {"Software\\Z\\", false},
    {"Software\\\\Z", false},        {"Software\\Z", true},
};

class DeleteKeyTest : public SettingsDatabaseTest,
                      public ::testing::WithParamInterface<TDeleteCase> {};

TEST_P(DeleteKeyTest, OnlyAnExistingNamedKeyIsDeleted) {
  TZetRegistry registry(database_);
  ASSERT_TRUE(registry.OpenKey("Software\\Z\\Kept", true));
  EXPECT_TRUE(registry.WriteInteger("N", 1).ok());
  registry.CloseKey();
  EXPECT_EQ(registry.DeleteKey(GetParam().path), GetParam().deletes);
  EXPECT_EQ(QuerySql("SELECT count(*) FROM vals"),
            std::vector<std::string>{GetParam().deletes ? "0" : "1"});
  // The root key is never removed.
  EXPECT_EQ(QuerySql("SELECT name FROM keys WHERE parent IS NULL"),
            std::vector<std::string>{"HKEY_CURRENT_USER"});
}

INSTANTIATE_TEST_SUITE_P(Paths, DeleteKeyTest, ::testing::ValuesIn(kDeleteCases),
                         CaseNamesBy(&TDeleteCase::path));

TEST_F(RegistryTest, GetKeyNamesEmptiesTheListWithoutAnOpenKey) {
  TZetRegistry registry(database_);
  std::vector<std::string> names{"left over"};
  registry.GetKeyNames(names);
  EXPECT_TRUE(names.empty());
}

TEST_F(RegistryTest, WritingIntoAKeyDeletedMeanwhileFails) {
  TZetRegistry writer(database_);
  ASSERT_TRUE(writer.OpenKey("Software\\Gone", true));
  TZetRegistry deleter(database_);
  ASSERT_TRUE(deleter.DeleteKey("Software\\Gone"));
  EXPECT_EQ(StatusOf(writer.WriteInteger("N", 1)).message(), "Failed to set data for 'N'");
}

TEST_F(RegistryTest, PlainSqlShowsKeysKindsAndValues) {
  {
    TZetRegistry registry(database_);
    ASSERT_TRUE(registry.OpenKey("Software\\Vorlan\\ZetGallery\\NamedSettings\\Море", true));
    EXPECT_TRUE(registry.WriteString("ImagesMask", "*.jpg;*.png").ok());
    EXPECT_TRUE(registry.WriteInteger("TableWidth", 75).ok());
    EXPECT_TRUE(registry.WriteInteger("Offset", -2).ok());
    EXPECT_TRUE(registry.WriteBool("CreateThumbs", true).ok());
  }
  PutRawValue("Software\\Raw", "Blob", kRegBinary, "00FF");
  EXPECT_EQ(QuerySql("SELECT key, name, kind, value FROM readable_values"),
            (std::vector<std::string>{
                "HKEY_CURRENT_USER\\Software\\Raw|Blob|REG_BINARY|00FF",
                "HKEY_CURRENT_USER\\Software\\Vorlan\\ZetGallery\\NamedSettings\\Море|"
                "CreateThumbs|REG_DWORD|1",
                "HKEY_CURRENT_USER\\Software\\Vorlan\\ZetGallery\\NamedSettings\\Море|"
                "ImagesMask|REG_SZ|*.jpg;*.png",
                "HKEY_CURRENT_USER\\Software\\Vorlan\\ZetGallery\\NamedSettings\\Море|"
                "Offset|REG_DWORD|-2",
                "HKEY_CURRENT_USER\\Software\\Vorlan\\ZetGallery\\NamedSettings\\Море|"
                "TableWidth|REG_DWORD|75",
            }));
  // The tables themselves read with plain SQL too.
  EXPECT_EQ(QuerySql("SELECT v.type, CAST(v.data AS TEXT) FROM vals v JOIN keys k ON k.id = v.key "
                     "WHERE k.fold = 'море' AND v.fold = 'imagesmask'"),
            std::vector<std::string>{"1|*.jpg;*.png"});
}

}  // namespace

}  // namespace zetgallery
