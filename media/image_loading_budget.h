// The memory budget of a game's images: the decoded pixels of its menu, map
// and model images, with the file bytes kept for the textures start-up puts
// off until they are made, together stay within imageBudgetBytes. Loading a
// game starts with its menu images, so their load begins the count afresh;
// an image that would pass the budget is refused before it is decoded. The
// program's own system images are not counted.
#pragma once
#include <string>

constexpr unsigned long long imageBudgetBytes = 1ull << 30;  // 1 GiB

// A game's (or the front end's) images begin: nothing is counted.
void startImageBudget();
// Counts `bytes` of decoded pixels (and bytes kept) for the image `path`;
// when they would pass the budget, counts nothing, names the file and the
// budget in one warning and returns false.
bool chargeImageBudget(const std::string& path, unsigned long long bytes);
// Gives back what was counted for an image that was not decoded after all,
// or for bytes no longer kept.
void refundImageBudget(unsigned long long bytes);
