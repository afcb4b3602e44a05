#pragma once

#include <windows.h>

#include <cstddef>

// Memory in the process that owns a window. A list view or tree view of another process reads
// and writes the structures of its messages in its own address space, so a driver puts them
// here, sends the message with Address() and reads the answer back. The driver and the program
// must have the same bitness: the structures hold pointers. Failures throw std::runtime_error.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, std::size_t size);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    // The address of a byte of the buffer in the owning process, as a message's argument.
    LPARAM Address(std::size_t offset = 0) const;
    void Write(const void* data, std::size_t size, std::size_t offset = 0);
    void Read(void* data, std::size_t size, std::size_t offset = 0) const;

    template <class T> void Put(const T& value, std::size_t offset = 0) {
        Write(&value, sizeof(T), offset);
    }
    template <class T> T Get(std::size_t offset = 0) const {
        T value;
        Read(&value, sizeof(T), offset);
        return value;
    }

private:
    void CheckRange(std::size_t size, std::size_t offset) const;

    HANDLE m_hProcess = nullptr;
    void* m_address = nullptr;
    std::size_t m_size = 0;
};
