#include "guiobjects.h"

#include <psapi.h>
#include <winternl.h>

#include <cstdint>
#include <vector>

namespace e2e {

namespace {

// One entry of the GDI handle table, as Wine lays it out for 64-bit processes.
struct GdiHandleEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint16_t unique;
    std::uint8_t type;  // 0: a free entry
    std::uint8_t flags;
    std::uint64_t user;
};
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr std::size_t gdiHandles = 0x10000;
constexpr std::size_t pebGdiTable = 0xF8;  // offset of GdiSharedHandleTable in a 64-bit PEB

long gdiTableObjects(HANDLE process) {
    using Query = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    if (!query || query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return -1;
    std::uint64_t table = 0;
    if (!ReadProcessMemory(process, static_cast<const char*>(static_cast<void*>(basic.PebBaseAddress)) + pebGdiTable,
                           &table, sizeof table, nullptr) ||
        table == 0)
        return -1;
    std::vector<GdiHandleEntry> entries(gdiHandles);
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(),
                           entries.size() * sizeof(GdiHandleEntry), nullptr))
        return -1;
    long live = 0;
    for (const GdiHandleEntry& entry : entries) live += entry.type != 0;
    return live;
}

struct WindowCount {
    DWORD process;
    long windows;
};

BOOL CALLBACK countChild(HWND, LPARAM data) {
    ++reinterpret_cast<WindowCount*>(data)->windows;
    return TRUE;
}

BOOL CALLBACK countTopLevel(HWND window, LPARAM data) {
    auto* count = reinterpret_cast<WindowCount*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != count->process) return TRUE;
    ++count->windows;
    EnumChildWindows(window, countChild, data);
    return TRUE;
}

long ownedWindows(DWORD processId) {
    WindowCount count{processId, 0};
    EnumWindows(countTopLevel, reinterpret_cast<LPARAM>(&count));
    for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window;
         window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr))
        countTopLevel(window, reinterpret_cast<LPARAM>(&count));
    return count.windows;
}

}  // namespace

GuiObjects countGuiObjects(HANDLE process) {
    GuiObjects objects;
    objects.gdi = static_cast<long>(GetGuiResources(process, GR_GDIOBJECTS));
    objects.user = static_cast<long>(GetGuiResources(process, GR_USEROBJECTS));
    if (objects.gdi == 0) objects.gdi = gdiTableObjects(process);
    if (objects.user == 0) objects.user = ownedWindows(GetProcessId(process));
    PROCESS_MEMORY_COUNTERS memory{};
    objects.memory = GetProcessMemoryInfo(process, &memory, sizeof memory) ? memory.PagefileUsage : 0;
    return objects;
}

std::string GuiObjects::describe() const {
    return "GDI " + std::to_string(gdi) + ", USER " + std::to_string(user) + ", memory " +
           std::to_string(memory / (1024 * 1024)) + " MiB";
}

}  // namespace e2e
