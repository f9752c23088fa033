// The owner-protected Configuration file: names and values are stored enciphered, looked up
// by name, and the file opens only with the owner password.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

#include "app/domain/data/Catalogue.h"
#include "tests/support/ShellCommand.h"
#include "tests/support/TempDir.h"

namespace cdz {
namespace {

class ConfigurationCipherTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(cat.use(CatalogueFile::Configuration), 0)
            << cat.database().error().text << " " << cat.database().error().driverText;
        put("OwnerName", "Ingrid Sjöström");
        put("RegistrationKey", "K3Y-SECRET-0042");
        put("Blank", "");
    }

    void put(const char* name, const char* value) {
        cat.configuration().DataType = name;
        cat.configuration().DataValue = value;
        ASSERT_EQ(conf().add(), 0) << conf().error().driverText;
    }

    DataFile& conf() { return cat.file(CatalogueFile::Configuration); }
    std::filesystem::path path() const { return dir.path() / "CDZConf.tps"; }

    std::string fileBytes() const {
        std::ifstream in(path(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    test::TempDir dir;
    Catalogue cat{dir.path()};
};

TEST_F(ConfigurationCipherTest, ValuesComeBackByNameInEveryWayOfReading) {
    ConfigurationRecord& c = cat.configuration();
    c = ConfigurationRecord{};
    c.DataType = "RegistrationKey";
    ASSERT_EQ(conf().get(ConfigurationRecord::KeyDataType), 0);
    EXPECT_EQ(c.DataValue, "K3Y-SECRET-0042");
    EXPECT_EQ(conf().records(), 3);

    // Sequential reading in key order sees every record, opened.
    std::set<std::string> seen;
    ASSERT_EQ(conf().set(ConfigurationRecord::KeyDataType), 0);
    while (conf().next() == 0) seen.insert(c.DataType.str() + "=" + c.DataValue.str());
    EXPECT_EQ(seen, (std::set<std::string>{"Blank=", "OwnerName=Ingrid Sjöström",
                                           "RegistrationKey=K3Y-SECRET-0042"}));

    // A rewrite keeps the name findable; the unique name refuses a second record.
    c.DataType = "OwnerName";
    ASSERT_EQ(conf().get(ConfigurationRecord::KeyDataType), 0);
    c.DataValue = "Someone Else";
    ASSERT_EQ(conf().put(), 0);
    c = ConfigurationRecord{};
    c.DataType = "OwnerName";
    ASSERT_EQ(conf().get(ConfigurationRecord::KeyDataType), 0);
    EXPECT_EQ(c.DataValue, "Someone Else");
    EXPECT_FALSE(conf().duplicate());  // the record itself is no duplicate
    c.DataType = "RegistrationKey";
    EXPECT_TRUE(conf().duplicate());
    EXPECT_EQ(conf().put(), err::kDuplicateKey);
    EXPECT_EQ(conf().add(), err::kDuplicateKey);
}

TEST_F(ConfigurationCipherTest, NoNameOrValueIsReadableInTheFile) {
    cat.release(CatalogueFile::Configuration);
    const std::string bytes = fileBytes();
    ASSERT_FALSE(bytes.empty());
    for (const char* plain : {"OwnerName", "Ingrid", "Sjöström", "RegistrationKey", "K3Y-SECRET"}) {
        EXPECT_EQ(bytes.find(plain), std::string::npos) << plain;
    }
    // The file is an ordinary database to another reader, which sees only sealed texts.
    auto shell = test::runSqliteShell(path(), "select DataType, DataValue from Configuration");
    ASSERT_TRUE(shell.ran) << "the sqlite3 shell did not run";
    EXPECT_EQ(shell.exitCode, 0) << shell.err;
    EXPECT_EQ(shell.out.find("K3Y"), std::string::npos);
    EXPECT_EQ(shell.out.find("OwnerName"), std::string::npos);
    EXPECT_NE(shell.out.find("|"), std::string::npos);  // rows were there to see
}

TEST_F(ConfigurationCipherTest, OpeningWithoutOrWithAnotherPasswordIsRefused) {
    cat.release(CatalogueFile::Configuration);
    Database db(dir.path());
    ConfigurationRecord rec;
    DataFile file(db, ConfigurationRecord::declaration(), rec);

    EXPECT_EQ(file.open(), err::kAccessDenied);
    EXPECT_EQ(db.error().text, "Access Denied");
    EXPECT_NE(db.error().driverText.find("owner password"), std::string::npos);
    EXPECT_FALSE(file.isOpen());

    file.setOwner("Qv7#M");  // one letter's case off
    EXPECT_EQ(file.open(), err::kAccessDenied);
    EXPECT_NE(db.error().driverText.find("not the file's"), std::string::npos);

    file.setOwner(std::string(ConfigurationRecord::kOwnerPassword));
    ASSERT_EQ(file.open(), 0);
    rec.DataType = "RegistrationKey";
    ASSERT_EQ(file.get(ConfigurationRecord::KeyDataType), 0);
    EXPECT_EQ(rec.DataValue, "K3Y-SECRET-0042");
    // Creating also needs the password.
    ASSERT_EQ(file.close(), 0);
    file.setOwner("");
    EXPECT_EQ(file.create(), err::kAccessDenied);
}

TEST_F(ConfigurationCipherTest, AValueAlteredOutsideTheProgramIsReportedNotRead) {
    cat.release(CatalogueFile::Configuration);
    // Another reader alters the sealed values (the start of each nonce).
    auto swap = test::runSqliteShell(path(),
                                     "update Configuration set DataValue = 'AAAA' || "
                                     "substr(DataValue, 5) where DataValue <> ''");
    ASSERT_TRUE(swap.ran);
    ASSERT_EQ(swap.exitCode, 0) << swap.err;
    ASSERT_EQ(cat.use(CatalogueFile::Configuration), 0);
    ConfigurationRecord& c = cat.configuration();
    c.DataType = "OwnerName";
    EXPECT_EQ(conf().get(ConfigurationRecord::KeyDataType), err::kInvalidDataFile);
    EXPECT_EQ(c.DataValue, "");  // nothing of the altered value is shown
}

}  // namespace
}  // namespace cdz
