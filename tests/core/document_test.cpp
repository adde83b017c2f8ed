// What a document tells its watchers, however many there are.

#include "scansion/Document.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using corvale::Document;
using corvale::DocumentWatcher;
using corvale::Store;

// Writes down what it hears, the changed line's texts as the store holds them then.
class Listener final : public DocumentWatcher {
public:
    void LineChanging(const Store& store, std::int32_t j) override {
        heard.push_back("old " + std::string(store.Comment(j)));
    }
    void LineChanged(const Store& store, std::int32_t j) override {
        heard.push_back("new " + std::string(store.Comment(j)));
    }
    void Loaded(const Store& store) override {
        heard.push_back("loaded " + std::to_string(store.NumberOfLines()));
    }
    void ModifiedChanged(bool modified) override {
        heard.push_back(modified ? "modified" : "saved");
    }
    std::vector<std::string> heard;
};

TEST(DocumentWatchersTest, EveryWatcherHearsEveryChangeUntilRemoved) {
    corvale::test::ScriptedPlatform platform;
    Document document(platform);
    Listener first;
    Listener second;
    document.AddWatcher(&first);
    document.AddWatcher(&second);
    document.AddWatcher(&first);  // once is enough
    auto file = std::get<corvale::LoadedScansion>(corvale::ReadScansionBytes(
        corvale::test::ScansionFile({{"Oh", {"Oh"}, {"2"}, {"4"}, "was"}})));
    document.Take("ode.txt", std::move(file));
    document.RemoveWatcher(&second);
    const std::vector<std::string> syllables = {"Oh"};
    EXPECT_TRUE(document.Commit(1, {syllables, {}, {}}, "is", 1));
    EXPECT_EQ(first.heard, (std::vector<std::string>{"loaded 1", "old was", "new is", "modified"}));
    EXPECT_EQ(second.heard, (std::vector<std::string>{"loaded 1"}));
}

}  // namespace
