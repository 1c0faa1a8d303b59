#include "import/ModelFiles.h"

#include <assimp/DefaultIOSystem.h>
#include <assimp/IOStream.hpp>
#include <assimp/MemoryIOWrapper.h>

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string_view>
#include <system_error>

namespace Quorvane {

namespace {

class EndGuard : public Assimp::IOStream {
public:
    explicit EndGuard(Assimp::IOStream* stream) : stream_(stream) {}

    std::size_t Read(void* buffer, std::size_t size, std::size_t count) override
    {
        const std::size_t read = stream_->Read(buffer, size, count);
        if (read == 0 && size > 0 && count > 0 && ++readsAtEnd_ > maxReadsAtEnd)
            throw std::runtime_error("the file ends where more of the model is expected");
        return read;
    }
    std::size_t Write(const void*, std::size_t, std::size_t) override { return 0; }
    aiReturn Seek(std::size_t offset, aiOrigin origin) override { return stream_->Seek(offset, origin); }
    std::size_t Tell() const override { return stream_->Tell(); }
    std::size_t FileSize() const override { return stream_->FileSize(); }
    void Flush() override {}

private:
    std::unique_ptr<Assimp::IOStream> stream_;
    int readsAtEnd_ = 0;
};

bool isReadMode(const char* mode)
{
    return std::string_view(mode ? mode : "r").find_first_of("wa+") == std::string_view::npos;
}

// assimp names files in UTF-8 on every platform.
bool isRegularFile(const char* name)
{
    const std::u8string utf8(reinterpret_cast<const char8_t*>(name));
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::path(utf8), error) && !error;
}

class RegularFiles : public Assimp::IOSystem {
public:
    bool Exists(const char* name) const override { return isRegularFile(name); }
    char getOsSeparator() const override { return files.getOsSeparator(); }
    Assimp::IOStream* Open(const char* name, const char* mode) override
    {
        if (!isReadMode(mode) || !isRegularFile(name))
            return nullptr;
        Assimp::IOStream* file = files.Open(name, mode);
        return file ? new EndGuard(file) : nullptr;
    }
    void Close(Assimp::IOStream* stream) override { delete stream; }
    bool ComparePaths(const char* one, const char* second) const override
    {
        return files.ComparePaths(one, second);
    }

private:
    Assimp::DefaultIOSystem files;
};

class BufferFile : public Assimp::IOSystem {
public:
    BufferFile(std::span<const std::byte> bytes, const std::string& name) : bytes(bytes), name(name) {}
    bool Exists(const char* other) const override { return name == other; }
    char getOsSeparator() const override { return '/'; }
    Assimp::IOStream* Open(const char* other, const char* mode) override
    {
        if (!isReadMode(mode) || name != other)
            return nullptr;
        return new EndGuard(
            new Assimp::MemoryIOStream(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    }
    void Close(Assimp::IOStream* stream) override { delete stream; }

private:
    std::span<const std::byte> bytes;
    std::string name;
};

} // namespace

std::unique_ptr<Assimp::IOSystem> regularFiles()
{
    return std::make_unique<RegularFiles>();
}

std::unique_ptr<Assimp::IOSystem> bufferFile(std::span<const std::byte> bytes, const std::string& name)
{
    return std::make_unique<BufferFile>(bytes, name);
}

} // namespace Quorvane
