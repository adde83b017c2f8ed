// A run of the real program that is killed mid-run: it opens the folder given on its
// command line, commits corrections through the window's own handlers, and ends the process at
// once with _exit, so that no destructor, save or clean-up of the program's runs. The crash
// recovery tests start the program again on the same folder.
//
//   corvale_crash_child FOLDER LINE...   raises the first stress of each verse line and commits

#include "window/MainWindow.h"

#include <QApplication>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

class FolderPlatform : public corvale::Platform {
public:
    explicit FolderPlatform(QString folder) : folder_(std::move(folder)) {}
    void ShowMessage(const QString& text) override {
        std::fprintf(stderr, "message: %s\n", text.toUtf8().constData());
    }
    corvale::Answer AskYesNo(const QString& text, corvale::Escape) override {
        std::fprintf(stderr, "question: %s\n", text.toUtf8().constData());
        return corvale::Answer::Withdrawn;
    }
    QString ProgramFolder() const override { return folder_; }

protected:
    void OnEnd() override {}

private:
    QString folder_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return 2;
    }
    QApplication app(argc, argv);
    FolderPlatform platform(QString::fromLocal8Bit(argv[1]));
    corvale::MainWindow form(platform);
    if (!form.StartUp()) {
        return 3;
    }
    form.show();
    for (int i = 2; i < argc; ++i) {
        form.Run([&] {
            form.Work().SetCurrentLine(std::atoi(argv[i]));
            form.ShowCurrentLine();
            form.RaiseStress(1);
            form.CommitLine();
        });
    }
    std::fflush(stderr);
    _exit(0);
}
