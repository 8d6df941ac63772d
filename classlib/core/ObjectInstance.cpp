#include "ObjectInstance.h"
#include "Exceptions.h"

#include <cstring>
#include <memory>
#include <unordered_map>
#include <vector>

namespace {

// Each procedure is a small piece of machine code that replaces the window handle argument by
// the address of its instance record and jumps to the one shared procedure below. The handle is
// not part of the message record, so nothing is lost.
struct Instance {
    TWndMethod Method;
};

LRESULT CALLBACK SharedWindowProc(Instance* instance, UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage message{msg, wParam, lParam, 0};
    try {
        instance->Method(message);
    } catch (...) {
        HandleException(std::current_exception());
        return 0;
    }
    return message.Result;
}

constexpr std::size_t ThunkSize = 32;

std::vector<unsigned char> MakeThunkCode(Instance* instance) {
    std::vector<unsigned char> code;
    auto put = [&code](const void* p, std::size_t n) {
        const auto* b = static_cast<const unsigned char*>(p);
        code.insert(code.end(), b, b + n);
    };
    auto target = reinterpret_cast<std::uintptr_t>(&SharedWindowProc);
    auto data = reinterpret_cast<std::uintptr_t>(instance);
#if defined(_WIN64)
    code.insert(code.end(), {0x48, 0xB9});  // mov rcx, imm64   (first argument)
    put(&data, 8);
    code.insert(code.end(), {0x48, 0xB8});  // mov rax, imm64
    put(&target, 8);
    code.insert(code.end(), {0xFF, 0xE0});  // jmp rax
#else
    code.insert(code.end(), {0xC7, 0x44, 0x24, 0x04});  // mov dword ptr [esp+4], imm32
    put(&data, 4);
    code.push_back(0xB8);                                // mov eax, imm32
    put(&target, 4);
    code.insert(code.end(), {0xFF, 0xE0});               // jmp eax
#endif
    return code;
}

// Executable pages carved into thunk slots. Pages are written only while read-write and are
// read-execute otherwise, as Data Execution Prevention requires.
class ThunkPool {
public:
    ~ThunkPool() {
        for (void* page : FPages) VirtualFree(page, 0, MEM_RELEASE);
    }

    void* Allocate(const std::vector<unsigned char>& code) {
        if (FFree.empty()) Grow();
        unsigned char* slot = FFree.back();
        FFree.pop_back();
        Write(slot, code.data(), code.size());
        return slot;
    }

    void Release(void* slot) {
        static const unsigned char trap[ThunkSize] = {0xCC};  // int3 if anything still calls it
        Write(static_cast<unsigned char*>(slot), trap, 1);
        FFree.push_back(static_cast<unsigned char*>(slot));
    }

private:
    void Grow() {
        SYSTEM_INFO si;
        GetSystemInfo(&si);
        void* page = VirtualAlloc(nullptr, si.dwPageSize, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READ);
        if (!page) throw Exception("ウィンドウプロシージャを作成できません");
        FPages.push_back(page);
        auto* base = static_cast<unsigned char*>(page);
        for (std::size_t off = si.dwPageSize; off >= ThunkSize; off -= ThunkSize)
            FFree.push_back(base + off - ThunkSize);
    }

    void Write(unsigned char* slot, const void* bytes, std::size_t n) {
        DWORD old = 0;
        VirtualProtect(slot, ThunkSize, PAGE_READWRITE, &old);
        std::memcpy(slot, bytes, n);
        VirtualProtect(slot, ThunkSize, PAGE_EXECUTE_READ, &old);
        FlushInstructionCache(GetCurrentProcess(), slot, ThunkSize);
    }

    std::vector<void*> FPages;
    std::vector<unsigned char*> FFree;
};

struct Registry {
    ThunkPool Pool;
    std::unordered_map<void*, std::unique_ptr<Instance>> Live;
};

Registry& Instances() {
    static Registry registry;
    return registry;
}

}  // namespace

WNDPROC MakeObjectInstance(TWndMethod method) {
    auto instance = std::make_unique<Instance>(Instance{method});
    void* slot = Instances().Pool.Allocate(MakeThunkCode(instance.get()));
    Instances().Live.emplace(slot, std::move(instance));
    return reinterpret_cast<WNDPROC>(slot);
}

void FreeObjectInstance(WNDPROC procedure) {
    auto* slot = reinterpret_cast<void*>(procedure);
    auto& live = Instances().Live;
    auto it = live.find(slot);
    if (it == live.end()) return;
    Instances().Pool.Release(slot);
    live.erase(it);
}

int ObjectInstanceCount() { return static_cast<int>(Instances().Live.size()); }
