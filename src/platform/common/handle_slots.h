// Objects named by handles, as the library hands out pictures and models. A handle holds the slot
// in its low 16 bits and the slot's generation above them; a released slot is used again under the
// next generation, so a handle kept past its release names nothing rather than the slot's new object.
// A slot whose generations are used up is never used again.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

template <typename T>
class HandleSlots {
public:
    static constexpr int MAX_SLOTS = 1 << 16;

    // The new object's handle; -1 when every slot is alive or used up.
    int Add(T value) {
        size_t slot = slots_.size();
        for (size_t i = 0; i < slots_.size(); ++i)
            if (!slots_[i].value && slots_[i].generation <= MAX_GENERATION) {
                slot = i;
                break;
            }
        if (slot == slots_.size()) {
            if (slot >= size_t(MAX_SLOTS)) return -1;
            slots_.emplace_back();
        }
        slots_[slot].value = std::move(value);
        return int(slot) | int(slots_[slot].generation) << 16;
    }

    // Null for -1, a released handle or one never given.
    T* Find(int handle) {
        if (handle < 0) return nullptr;
        const size_t slot = size_t(handle & (MAX_SLOTS - 1));
        if (slot >= slots_.size() || !slots_[slot].value || slots_[slot].generation != handle >> 16) return nullptr;
        return &*slots_[slot].value;
    }
    const T* Find(int handle) const { return const_cast<HandleSlots*>(this)->Find(handle); }

    bool Remove(int handle) {
        if (!Find(handle)) return false;
        Release(slots_[size_t(handle & (MAX_SLOTS - 1))]);
        return true;
    }

    // Every live object, in slot order.
    template <typename F>
    void ForEach(F&& visit) {
        for (Slot& s : slots_)
            if (s.value) visit(*s.value);
    }

    // Every live object with its handle, in slot order.
    template <typename F>
    void ForEachHandle(F&& visit) {
        for (size_t i = 0; i < slots_.size(); ++i)
            if (slots_[i].value) visit(int(i) | int(slots_[i].generation) << 16, *slots_[i].value);
    }

    // Releases every object; their handles stay stale.
    void Clear() {
        for (Slot& s : slots_)
            if (s.value) Release(s);
    }

private:
    static constexpr uint16_t MAX_GENERATION = 0x7FFF;  // so that every handle stays positive

    struct Slot {
        std::optional<T> value;
        uint16_t generation = 0;  // past MAX_GENERATION: used up
    };

    static void Release(Slot& s) {
        s.value.reset();
        ++s.generation;
    }
    std::vector<Slot> slots_;
};
