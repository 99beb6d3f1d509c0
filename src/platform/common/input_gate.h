// Which held keys and pad buttons the game may see. A key still held when the window lost the focus,
// or a Return that came with Alt (it switched fullscreen), stays hidden until it is released or
// pressed anew: the game must never act on a key the player is not pressing for it.
#pragma once

#include <bitset>

class InputGate {
public:
    static constexpr int KEY_COUNT = 512;  // key codes 0..511 (SDL scancodes)

    void HideAll();           // the window lost the focus: everything now held is hidden
    void Hide(int key);       // this key, held now, is hidden
    void Pressed(int key);    // a fresh press (not a repeat) shows the key again
    void Released(int key);

    // Whether the game sees the key held, given whether the keyboard reports it held.
    bool Shows(int key, bool held);
    // The pad bits the game sees of those reported held; a bit shows again once seen released.
    int PadBits(int held);

private:
    std::bitset<KEY_COUNT> hidden_;
    int hiddenPad_ = 0;
};
