#include "support/RemoteBuffer.h"

#include <stdexcept>
#include <string>

namespace {

[[noreturn]] void Fail(const char* what) {
    throw std::runtime_error(std::string(what) + " (error " + std::to_string(::GetLastError()) +
                             ")");
}

} // namespace

RemoteBuffer::RemoteBuffer(HWND window, std::size_t size) : m_size(size) {
    DWORD processId = 0;
    if (!::GetWindowThreadProcessId(window, &processId))
        Fail("no window to own a remote buffer");
    m_hProcess =
        ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (!m_hProcess)
        Fail("cannot open the window's process");
    m_address =
        ::VirtualAllocEx(m_hProcess, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!m_address) {
        ::CloseHandle(m_hProcess);
        Fail("cannot allocate memory in the window's process");
    }
}

RemoteBuffer::~RemoteBuffer() {
    // A failure is left alone: when the program has ended meanwhile, the memory went with it.
    ::VirtualFreeEx(m_hProcess, m_address, 0, MEM_RELEASE);
    ::CloseHandle(m_hProcess);
}

LPARAM RemoteBuffer::Address(std::size_t offset) const {
    CheckRange(0, offset);
    return reinterpret_cast<LPARAM>(static_cast<char*>(m_address) + offset);
}

void RemoteBuffer::Write(const void* data, std::size_t size, std::size_t offset) {
    CheckRange(size, offset);
    SIZE_T written = 0;
    if (!::WriteProcessMemory(m_hProcess, static_cast<char*>(m_address) + offset, data, size,
                              &written) ||
        written != size)
        Fail("cannot write to the window's process");
}

void RemoteBuffer::Read(void* data, std::size_t size, std::size_t offset) const {
    CheckRange(size, offset);
    SIZE_T got = 0;
    if (!::ReadProcessMemory(m_hProcess, static_cast<char*>(m_address) + offset, data, size,
                             &got) ||
        got != size)
        Fail("cannot read from the window's process");
}

void RemoteBuffer::CheckRange(std::size_t size, std::size_t offset) const {
    if (offset > m_size || size > m_size - offset)
        throw std::out_of_range("beyond the remote buffer");
}
