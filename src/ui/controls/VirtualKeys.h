#pragma once

namespace ostrel {

// The virtual-key codes the edit controls react to.
constexpr unsigned VkReturn = 0x0D;
constexpr unsigned VkUp = 0x26;
constexpr unsigned VkDown = 0x28;
constexpr unsigned VkDelete = 0x2E;

}  // namespace ostrel
