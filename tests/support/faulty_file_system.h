#pragma once
// The machine's file system with a log of every call, made to fail at one
// chosen step: for fault tests of the card file store.
#include <memory>
#include <string>
#include <vector>

#include "card/file_system.h"

class FaultyFileSystem final : public card::FileSystem {
public:
    enum class Step { None, OpenForReading, Read, CreateNew, Write, SyncToDisk, Close, Replace };

    // Fail the `nth` (1-based) time `step` is reached, with `code`.
    void failAt(Step step, int code, int nth = 1)
    {
        failStep_ = step;
        failCode_ = code;
        failCountdown_ = nth;
    }

    std::vector<std::string> calls; // "openForReading <name>", "write", ...

    std::unique_ptr<card::OpenFile> openForReading(const std::string& path) override
    {
        calls.push_back("openForReading " + path);
        maybeFail(Step::OpenForReading);
        auto file = real().openForReading(path);
        if (!file)
            return nullptr;
        return std::make_unique<File>(*this, std::move(file));
    }
    std::unique_ptr<card::OpenFile> createNew(const std::string& path) override
    {
        calls.push_back("createNew " + path);
        maybeFail(Step::CreateNew);
        auto file = real().createNew(path);
        if (!file)
            return nullptr;
        return std::make_unique<File>(*this, std::move(file));
    }
    void replace(const std::string& from, const std::string& to) override
    {
        calls.push_back("replace " + from + " " + to);
        maybeFail(Step::Replace);
        real().replace(from, to);
    }
    void remove(const std::string& path) noexcept override
    {
        calls.push_back("remove " + path);
        real().remove(path);
    }
    std::string linkTarget(const std::string& path) override
    {
        calls.push_back("linkTarget " + path);
        return real().linkTarget(path);
    }
    std::vector<card::FolderFile> listFiles(const std::string& folder, const std::string& prefix) noexcept override
    {
        calls.push_back("listFiles " + folder + prefix + "*");
        return real().listFiles(folder, prefix);
    }

private:
    static card::FileSystem& real() { return card::RealFileSystem(); }

    void maybeFail(Step step)
    {
        if (step == failStep_ && --failCountdown_ == 0)
            throw card::FileError(failCode_);
    }

    class File final : public card::OpenFile {
    public:
        File(FaultyFileSystem& owner, std::unique_ptr<card::OpenFile> inner)
            : owner_(owner)
            , inner_(std::move(inner))
        {
        }
        std::size_t read(void* into, std::size_t size) override
        {
            owner_.calls.push_back("read");
            owner_.maybeFail(Step::Read);
            return inner_->read(into, size);
        }
        void write(const void* from, std::size_t size) override
        {
            owner_.calls.push_back("write");
            owner_.maybeFail(Step::Write);
            inner_->write(from, size);
        }
        void syncToDisk() override
        {
            owner_.calls.push_back("syncToDisk");
            owner_.maybeFail(Step::SyncToDisk);
            inner_->syncToDisk();
        }
        void close() override
        {
            owner_.calls.push_back("close");
            owner_.maybeFail(Step::Close);
            inner_->close();
        }

    private:
        FaultyFileSystem& owner_;
        std::unique_ptr<card::OpenFile> inner_;
    };

    Step failStep_ = Step::None;
    int failCode_ = 0;
    int failCountdown_ = 0;
};
