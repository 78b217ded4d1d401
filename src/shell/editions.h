#pragma once

// editions: earlier editions of the shipped collection that the game still knows,
// so that a saved game made with one finds its figures in today's collection.

#include <cstdint>
#include <vector>

// The second edition's ShapeIds in figure order: the collection that every saved
// game without shapes was played with. Empty when the program lacks it.
std::vector<uint64_t> SecondEditionShapes();
