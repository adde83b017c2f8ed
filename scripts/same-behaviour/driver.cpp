// Drives the core through a window's work on each folder given: start-up, edits of many lines,
// a save, a crash and the journal's restore, switches to every other file (and to a missing one
// and into a subfolder), an open elsewhere and Exit, answering Yes to every question; then
// prints every file the folder holds and every message shown. Two builds that behave alike
// print the same bytes (scripts/same-behaviour/run.sh).
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <cstdio>
#include <iostream>
#include <sstream>
#include "editor/WorkingLine.h"
#include "scansion/Workspace.h"
#include "startup/Start.h"
#include "support/ScriptedPlatform.h"

using namespace corvale;

namespace session {

struct Session {
    explicit Session(Platform& p) : ws(p) {}
    Workspace ws;
    editor::WorkingLine line;
    std::int32_t Lines() const { return ws.Doc().NumberOfLines(); }
    std::int32_t Width() const { return ws.Doc().Positions(); }
    std::int32_t Line() const { return ws.CurrentLine(); }
    void SetLine(std::int32_t j) { ws.SetCurrentLine(j); }
    std::string FileName() const { return ws.Settings().WorkingFileName(); }
    std::string Meter() const {
        return ws.Doc().Meter().line + "|" + std::to_string(ws.Doc().Meter().symbols);
    }
    std::int32_t StartUp() {
        return startup::OpenAtStart(ws, std::nullopt, startup::RecentFiles{}).line;
    }
    void LoadLine() { line.Load(ws.Doc().GetStore(), ws.CurrentLine(), ws.Doc().Positions()); }
    bool StepStressUp(std::int32_t i) {
        return line.Step(ValueRow::Stresses, i, editor::StepDirection::Up,
                         ws.Settings().Bounds().maximumStress);
    }
    bool StepJunctureDown(std::int32_t i) {
        return line.Step(ValueRow::Junctures, i, editor::StepDirection::Down,
                         ws.Settings().Bounds().minimumJuncture);
    }
    void Merge(std::int32_t k) { line.Merge(k); }
    std::string Comment() const { return std::string(ws.Doc().Comment(ws.CurrentLine())); }
    bool Commit(const std::string& c) { return ws.CommitLine(line.Values(), c); }
    int Save() { return static_cast<int>(ws.SaveFiles()); }
    std::optional<std::int32_t> Switch(const std::string& name) {
        return ws.SwitchWorkingFile(name, ws.QuerySwitch());
    }
    std::optional<std::int32_t> Open(const QString& folder, const std::string& name) {
        return ws.OpenFileAt({folder, folder, name}, ws.QuerySwitch(), 1);
    }
    void Exit() { ws.Exit(); }
    bool Modified() const { return ws.Doc().IsModified(); }
};
}  // namespace session

static std::ostringstream out;

static void CopyIn(const QString& given, const QString& to) {
    const QString from = QFileInfo(given).absoluteFilePath();
    QDirIterator it(from, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString rel = QDir(from).relativeFilePath(path);
        QDir().mkpath(QFileInfo(QDir(to).filePath(rel)).path());
        QFile::copy(path, QDir(to).filePath(rel));
    }
}

static void Dump(const QString& folder) {
    QStringList names;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        names << QDir(folder).relativeFilePath(it.next());
    names.sort();
    for (const QString& n : names) {
        QFile f(QDir(folder).filePath(n));
        f.open(QIODevice::ReadOnly);
        const QByteArray b = f.readAll();
        out << "== file " << n.toStdString() << " (" << b.size() << ")\n"
            << b.toStdString() << "\n";
    }
}

template <typename F>
static void Guard(const char* what, F f) {
    try {
        f();
    } catch (const ProgramEnded&) {
        out << what << ": ended\n";
    }
}

static void EditLines(session::Session& s, std::int32_t from, std::int32_t to) {
    for (std::int32_t j = from; j <= to && j <= s.Lines(); ++j) {
        s.SetLine(j);
        s.LoadLine();
        bool a = s.StepStressUp(1 + j % 3);
        bool b = s.StepJunctureDown(2);
        if (j % 3 == 0 && s.Width() > 2)
            s.Merge(2);
        std::string c = j % 4 == 0 ? s.Comment() : "note " + std::to_string(j);
        out << "line " << j << " step " << a << b << " commit " << s.Commit(c) << " mod "
            << s.Modified() << "\n";
    }
}

static void RunFolder(const QString& source) {
    out << "##### " << QFileInfo(source).fileName().toStdString() << "\n";
    auto platform = std::make_unique<test::ScriptedPlatform>();
    const QString root = platform->ProgramFolder();
    CopyIn(source, root);
    std::vector<Answer> yes(200, Answer::Yes);
    platform->WillAnswer(yes);
    {
        session::Session s(*platform);
        Guard("start", [&] { out << "start line " << s.StartUp() << "\n"; });
        if (!platform->Ended()) {
            out << "file " << s.FileName() << " lines " << s.Lines() << " width " << s.Width()
                << " meter " << s.Meter() << "\n";
            EditLines(s, 1, 12);
            s.SetLine(std::min(5, s.Lines()));
            out << "save " << s.Save() << "\n";
            EditLines(s, 13, 25);
            // crash: the session goes without saving
        }
    }
    if (!platform->Ended()) {
        session::Session s(*platform);
        Guard("restart", [&] { out << "restart line " << s.StartUp() << "\n"; });
        if (!platform->Ended()) {
            out << "file " << s.FileName() << " lines " << s.Lines() << " meter " << s.Meter()
                << "\n";
            EditLines(s, 26, 30);
            // switch to every other scansion-looking file, then a missing one, then back
            const std::string home = s.FileName();
            QDir dir(platform->ProgramFolder());
            for (const QString& n : dir.entryList({"*.txt"}, QDir::Files, QDir::Name)) {
                const std::string name = n.toStdString();
                if (name == home || n.endsWith("meter.txt") || n == "RememberEarlierRun.txt" ||
                    n.contains("unsaved"))
                    continue;
                Guard("switch", [&] {
                    auto r = s.Switch(name);
                    out << "switch " << name << " -> " << (r ? std::to_string(*r) : "stay")
                        << " file " << s.FileName() << " lines " << s.Lines() << " meter "
                        << s.Meter() << "\n";
                    if (r) {
                        s.SetLine(*r);
                        EditLines(s, 2, 4);
                    }
                });
                if (platform->Ended())
                    break;
            }
            if (!platform->Ended())
                Guard("switch-missing", [&] {
                    auto r = s.Switch("nothere.txt");
                    out << "switch missing -> " << (r ? std::to_string(*r) : "stay") << " file "
                        << s.FileName() << " meter " << s.Meter() << "\n";
                });
            // a file in a subfolder, by a name with a slash (the working folder stays)
            if (!platform->Ended() &&
                QDir(QDir(platform->ProgramFolder()).filePath("sub")).exists())
                Guard("switch-sub", [&] {
                    for (const QString& n : QDir(QDir(platform->ProgramFolder()).filePath("sub"))
                                                .entryList({"*.txt"}, QDir::Files, QDir::Name)) {
                        if (n.endsWith("meter.txt"))
                            continue;
                        auto r = s.Switch("sub/" + n.toStdString());
                        out << "switch sub/" << n.toStdString() << " -> "
                            << (r ? std::to_string(*r) : "stay") << " meter " << s.Meter() << "\n";
                        if (r) {
                            s.SetLine(*r);
                            EditLines(s, 1, 2);
                        }
                        auto back = s.Switch(home);
                        out << "switch back -> " << (back ? std::to_string(*back) : "stay") << "\n";
                        break;
                    }
                });
            // a file in a subfolder, opened by its path
            const QString sub = QDir(platform->ProgramFolder()).filePath("sub");
            if (!platform->Ended() && QDir(sub).exists())
                Guard("open-sub", [&] {
                    for (const QString& n :
                         QDir(sub).entryList({"*.txt"}, QDir::Files, QDir::Name)) {
                        if (n.endsWith("meter.txt") || n == "RememberEarlierRun.txt")
                            continue;
                        auto r = s.Open(sub, n.toStdString());
                        out << "open sub/" << n.toStdString() << " -> "
                            << (r ? std::to_string(*r) : "stay") << " meter " << s.Meter() << "\n";
                        if (r) {
                            s.SetLine(*r);
                            EditLines(s, 1, 2);
                        }
                        break;
                    }
                });
            if (!platform->Ended())
                Guard("exit", [&] {
                    s.Exit();
                    out << "exit returned\n";
                });
        }
    }
    out << "messages:\n";
    for (const QString& m : platform->MessageTexts()) {
        QString t = m;
        t.replace(root, "<F>");
        out << "  " << t.toStdString() << "\n";
    }
    Dump(root);
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    for (int i = 1; i < argc; ++i)
        RunFolder(QString::fromLocal8Bit(argv[i]));
    std::string s = out.str();
    fwrite(s.data(), 1, s.size(), stdout);
}
