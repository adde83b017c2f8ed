// Reading a poem file from any path: what stands under the name, and files past the limit.

#include "firstpass/PoemReader.h"
#include "platform/TextCodec.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using corvale::firstpass::Poem;
using corvale::firstpass::ReadPoemFile;
using corvale::firstpass::Refusal;

class PoemFileTest : public testing::Test {
public:
    QString Path(const char* name) const { return folder.filePath(name); }
    std::string Native(const char* name) const {
        return QFile::encodeName(Path(name)).toStdString();
    }
    void Write(const char* name, const std::string& bytes) const {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), std::ssize(bytes));
    }
    QTemporaryDir folder;
};

struct FileCase {
    const char* name;
    std::function<void(const PoemFileTest&)> make;  // puts something under "poem"
    std::string message;
};

class PoemFileRefusal : public PoemFileTest, public testing::WithParamInterface<FileCase> {};

// What the table's rows put under "poem".
struct Makers {
    static void Folder(const PoemFileTest& t) { ASSERT_TRUE(QDir(t.folder.path()).mkdir("poem")); }
    static void Fifo(const PoemFileTest& t) {
        ASSERT_EQ(::mkfifo(t.Native("poem").c_str(), 0600), 0);
    }
    static void LinkTo(const PoemFileTest& t, bool folder) {
        if (folder) {
            ASSERT_TRUE(QDir(t.folder.path()).mkdir("target"));
        } else {
            ASSERT_EQ(::mkfifo(t.Native("target").c_str(), 0600), 0);
        }
        ASSERT_TRUE(QFile::link(t.Path("target"), t.Path("poem")));
    }
    static void Sparse(const PoemFileTest& t) {
        t.Write("poem", "a");
        ASSERT_EQ(::truncate(t.Native("poem").c_str(), (std::int64_t{64} << 20) + 1), 0);
    }
};

TEST_P(PoemFileRefusal, RefusesWithoutWaiting) {
    GetParam().make(*this);
    const auto read = ReadPoemFile(Path("poem"));
    ASSERT_TRUE(std::holds_alternative<Refusal>(read));
    EXPECT_EQ(std::get<Refusal>(read).message, GetParam().message);
}

const std::string kFolder = "This is a folder, not a poem file.";
const std::string kNotOrdinary =
    "This is not an ordinary file (a FIFO, a device or a socket): Corvale reads poems from "
    "ordinary files only.";

INSTANTIATE_TEST_SUITE_P(
    Cases, PoemFileRefusal,
    testing::Values(FileCase{"Folder", Makers::Folder, kFolder},
                    FileCase{"Fifo", Makers::Fifo, kNotOrdinary},
                    FileCase{"LinkToFolder", [](const PoemFileTest& t) { Makers::LinkTo(t, true); },
                             kFolder},
                    FileCase{"LinkToFifo", [](const PoemFileTest& t) { Makers::LinkTo(t, false); },
                             kNotOrdinary},
                    FileCase{"Missing", [](const PoemFileTest&) {}, "There is no such poem file."},
                    FileCase{"SparseFileOverTheLimit", Makers::Sparse,
                             "The poem file is larger than 64 MiB, the most Corvale reads."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PoemFileTest, ReadsThroughALinkFromAnyFolder) {
    QTemporaryDir elsewhere;
    QFile poem(elsewhere.filePath("rose.txt"));
    ASSERT_TRUE(poem.open(QIODevice::WriteOnly));
    poem.write("\xEF\xBB\xBFO Rose, thou art sick!\r\n\r\nThe invisible worm\r\n");
    poem.close();
    ASSERT_TRUE(QFile::link(poem.fileName(), Path("poem")));
    const auto read = ReadPoemFile(Path("poem"));
    ASSERT_TRUE(std::holds_alternative<Poem>(read)) << std::get<Refusal>(read).message;
    EXPECT_EQ(std::get<Poem>(read).verseLines,
              (std::vector<std::string>{"O Rose, thou art sick!", "The invisible worm"}));
}

// A name is bytes, which need not be UTF-8: the file named is the file read, and its outputs
// are named with the same bytes.
TEST_F(PoemFileTest, ANameThatIsNotUtf8IsReadAndNamesItsOutputs) {
    const std::string folderBytes = QFile::encodeName(folder.path()).toStdString();
    const std::string name = folderBytes + "/caf\xE9.txt";
    const int fd = ::open(name.c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "O Rose\n", 7), 7);
    ::close(fd);
    const QString path = corvale::PathFromBytes(name);
    const auto read = ReadPoemFile(path);
    ASSERT_TRUE(std::holds_alternative<Poem>(read)) << std::get<Refusal>(read).message;
    EXPECT_EQ(corvale::PathBytes(corvale::firstpass::OutputNamesFor(path).meter),
              folderBytes + "/caf\xE9.scansion.meter.txt");
}

}  // namespace
