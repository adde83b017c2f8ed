#include "firstpass/Engine.h"

#include "firstpass/Division.h"
#include "firstpass/FirstPass.h"

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <unordered_map>

namespace corvale::firstpass {
namespace {

// The engine's thread and the queue of work for it. Created on first use and never destroyed:
// the thread waits for work for the rest of the process's life.
class EngineThread {
public:
    EngineThread() {
        std::thread([this] { Run(); }).detach();
        // The patterns load here while the engine starts on its own thread.
        LoadHyphenationPatterns();
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return started_; });
    }

    std::vector<std::string> Pronounce(const std::vector<std::string>& words) {
        Job job{&words, {}, {}, false};
        std::unique_lock lock(mutex_);
        jobs_.push_back(&job);
        changed_.notify_all();
        changed_.wait(lock, [&job] { return job.done; });
        if (job.failure) {
            std::rethrow_exception(job.failure);
        }
        return std::move(job.phonemes);
    }

private:
    struct Job {
        const std::vector<std::string>* words;
        std::vector<std::string> phonemes;
        std::exception_ptr failure;  // what went wrong on the engine's thread, for the caller
        bool done;
    };

    // The engine is started for phonemes only, its audio output never initialised: even for
    // retrieval, espeak-ng 1.51 opens an audio device there, which reaches for the sound server
    // and makes its folders under HOME (or the user's home when HOME is unset) and in /tmp.
    static bool StartEngine() {
        espeak_ng_InitializePath(nullptr);
        espeak_ng_ERROR_CONTEXT context = nullptr;
        const espeak_ng_STATUS status = espeak_ng_Initialize(&context);
        espeak_ng_ClearErrorContext(&context);
        return status == ENS_OK && espeak_SetVoiceByName("en-us") == EE_OK;
    }

    void Run() {
        const bool ready = StartEngine();
        {
            std::lock_guard lock(mutex_);
            started_ = true;
        }
        changed_.notify_all();
        for (;;) {
            Job* job = nullptr;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [this] { return !jobs_.empty(); });
                job = jobs_.front();
                jobs_.pop_front();
            }
            std::vector<std::string> phonemes;
            std::exception_ptr failure;
            // Memory running out here is the caller's to report: the thread waits for more work.
            try {
                phonemes.reserve(job->words->size());
                for (const std::string& word : *job->words) {
                    phonemes.push_back(ready ? Lookup(word) : std::string());
                }
            } catch (...) {
                failure = std::current_exception();
            }
            std::lock_guard lock(mutex_);
            job->phonemes = std::move(phonemes);
            job->failure = failure;
            job->done = true;
            changed_.notify_all();
        }
    }

    // One word, remembered: a poem repeats its words, and a long one repeats them thousands of
    // times. The memory is cleared when it grows past a bound.
    const std::string& Lookup(const std::string& word) {
        const auto found = cache_.find(word);
        if (found != cache_.end()) {
            return found->second;
        }
        if (cache_.size() >= kMostRemembered) {
            cache_.clear();
        }
        std::string phonemes;
        if (!word.empty()) {
            const void* text = word.c_str();
            // Phoneme names separated by '|'; no SSML and no phoneme input: the text is words.
            constexpr int kSeparated = '|' << 8;
            while (text != nullptr) {
                const char* piece = espeak_TextToPhonemes(&text, espeakCHARS_UTF8, kSeparated);
                if (piece != nullptr) {
                    phonemes.append(piece).push_back(' ');
                }
            }
        }
        return cache_.emplace(word, std::move(phonemes)).first->second;
    }

    static constexpr std::size_t kMostRemembered = 200'000;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job*> jobs_;
    bool started_ = false;
    std::unordered_map<std::string, std::string> cache_;  // the engine's thread only
};

EngineThread& TheEngine() {
    static EngineThread* const engine = new EngineThread;
    return *engine;
}

}  // namespace

void StartPronunciationEngine() {
    TheEngine();
}

std::vector<std::string> Pronounce(const std::vector<std::string>& words) {
    return TheEngine().Pronounce(words);
}

}  // namespace corvale::firstpass
