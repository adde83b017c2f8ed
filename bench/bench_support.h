#pragma once

#include "platform/Platform.h"

#include <QTemporaryDir>

#include <cstddef>
#include <string>

namespace corvale::bench {

// A scansion file of `lines` verse lines of about twelve syllables, with realistic texts.
std::string GenerateScansionFile(int lines);

// The meter row of the file below: five feet of W and S.
inline constexpr char kPentameter[] = "W\tS\tW\tS\tW\tS\tW\tS\tW\tS";
// A scansion file of `lines` verse lines of ten syllables that all fit kPentameter, except the
// last, which has a stress maximum in its fifth place, a weak one.
std::string GeneratePentameterFile(int lines);

// A scansion file of `lines` verse lines that fill all `width` positions with a syllable and
// values that differ from their neighbours', so moving them rewrites every box. The first
// syllable of each line is `firstSyllable`, the others "s2", "s3", ...; every comment is
// `comment`.
std::string GenerateFullWidthFile(int lines, int width, const std::string& firstSyllable,
                                  const std::string& comment);

// A quiet platform in a temporary folder: messages are dropped, questions answered Yes.
class BenchPlatform : public Platform {
public:
    // The run's hold goes before the folder that holds it.
    ~BenchPlatform() override { Hold({}); }
    void ShowMessage(const QString&) override {}
    Answer AskYesNo(const QString&, Escape) override { return Answer::Yes; }
    QString ProgramFolder() const override { return folder_.path(); }
    void Write(const std::string& name, const std::string& bytes);

protected:
    void OnEnd() override {}

private:
    QTemporaryDir folder_;
};

}  // namespace corvale::bench
