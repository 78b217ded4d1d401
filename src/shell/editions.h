#pragma once

// editions: earlier editions of the shipped collection that the game still knows,
// so that a saved game made with one finds its figures in today's collection.

#include <cstdint>
#include <utility>
#include <vector>

// The second edition's ShapeIds in figure order: the collection that every saved
// game without shapes was played with. Empty when the program lacks it.
std::vector<uint64_t> SecondEditionShapes();

// The figures that a later edition redrew, each figure's earlier ShapeId with
// the one it has now; empty when the program lacks them.
std::vector<std::pair<uint64_t, uint64_t>> RedrawnShapes();
