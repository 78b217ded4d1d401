#!/usr/bin/env python3
"""The hand-made figures of the collection, printed as source entries.

Each figure is drawn with the helpers of figure_kit: pictures of unit squares on
the square lattice (or the lattice turned for the diagonal and odd
orientations) and single triangles of the diagonal orientations. The collection
is put together by make_collection.sh, which centres these, adds generated
figures and sorts everything from easy to hard.
"""

from figure_kit import Collection, Lattice, at_vertex, dtri, pic, turn_quarter

S = Lattice()
half = S.half
figures = Collection()
add = figures.add


def quarter_turns(parts, px, py):
    """The parts and their images under the three quarter turns about (px, py)."""
    return [p for k in range(4) for p in turn_quarter(parts, px, py, k)]


def big_up(x, y):
    """Four diagonal triangles as one triangle 28 wide and 14 tall, apex up."""
    return [dtri(x, y + 7, "up"), dtri(x + 14, y + 7, "up"), dtri(x + 7, y + 7, "down"),
            dtri(x + 7, y, "up")]


def big_down(x, y):
    """Four diagonal triangles as one triangle 28 wide and 14 tall, apex down."""
    return [dtri(x, y, "down"), dtri(x + 14, y, "down"), dtri(x + 7, y, "up"),
            dtri(x + 7, y + 7, "down")]




def squares(*corners):
    """Whole squares by their top-left grid points: edges meet along half sides too."""
    return [p for x, y in corners for p in pic(["#"], origin=(x, y))]


# First steps: whole squares, so no edge slopes and every diagonal will do.
add("Bricks", squares((0, 0), (10, 0), (5, 10), (15, 10)))
add("Staircase", squares((0, 0), (5, 10), (10, 20), (15, 30)))
add("Tower", squares((5, 0), (5, 10), (0, 20), (10, 20)))

# Classic shapes.
add("Square", pic(["##", "##"]))
add("Bar", pic(["####"]))
add("Large triangle", pic([".JL.", "J##L"]))
add("Parallelogram", pic(["J###F"]))
add("Steep parallelogram", pic([".J#F", "J#F."]))
add("Trapezoid", pic(["J###L"]))
add("Right trapezoid", pic(["#L.", "##L"]))
add("Hexagon", pic(["J#L", "7#F"]))
add("Diamond", pic(["##", "##"], turn=2))
add("Tilted square", pic(["##", "##"], turn=1))
add("Large right triangle", pic([".JL.", "J##L"], turn=2))
add("Leaning triangle", pic([".JL.", "J##L"], turn=1))
add("Diagonal bar", pic(["####"], turn=2))
add("Sloping bar", pic(["####"], turn=3))
add("Diagonal trapezoid", pic(["J###L"], turn=2))
add("Tilted parallelogram", pic(["J###F"], turn=1))
add("Tilted hexagon", pic(["J#L", "7#F"], turn=1))
add("Hourglass", big_down(0, 0) + big_up(0, 14))
add("Cross", pic(["#", "#", "#"]) + [dtri(-7, 8, "left"), dtri(10, 8, "right")])
add("Four-pointed star", pic(["JL", "7F"]) + quarter_turns([dtri(10, -7, "left")], 10, 10))
add("Windmill", pic([".L.", "J#F", ".#.", ".F."]))
add("Square windmill", quarter_turns([half(0, -1, "bl"), half(1, -1, "tl")], 0, 0))
add("Turning windmill", quarter_turns([Lattice(1).half(0, -1, "bl"), Lattice(1).half(1, -1, "tl")], 0, 0))
add("Slender windmill", quarter_turns([Lattice(2).half(0, -1, "br"), Lattice(2).half(1, -1, "tl")], 0, 0))
add("Diagonal windmill", quarter_turns([Lattice(2).half(0, -1, "bl"), Lattice(2).half(1, -1, "tl")], 0, 0))
add("Pinwheel", quarter_turns([half(0, -1, "bl"), half(0, -2, "tl")], 0, 0))

# Windmills and stars whose odd triangles turn about a square or diagonal centre.
D = Lattice(2)
add("Compass", quarter_turns([half(-1, 0, "tr"), at_vertex(11, 2, 10, 0)], 0, 0))
add("Propeller", quarter_turns([half(-1, 0, "tr"), at_vertex(15, 0, 0, -10)], 0, 0))
add("Swirl", quarter_turns([half(0, -1, "bl"), at_vertex(15, 2, 10, 0)], 0, 0))
add("Sea star", quarter_turns([half(-1, -1, "br"), at_vertex(9, 2, 0, -10)], 0, 0))
add("Gear wheel", quarter_turns([half(0, 0, "tl"), at_vertex(11, 0, 10, -5)], 0, 0))
add("Shuriken", quarter_turns([D.half(-1, 0, "tr"), at_vertex(15, 1, -7, -7)], 0, 0))
add("Spinning blades", quarter_turns([D.half(0, -1, "tl"), at_vertex(13, 0, 0, -14)], 0, 0))
add("Pinwheel star", quarter_turns([D.half(-1, -1, "br"), at_vertex(13, 0, 7, -7)], 0, 0))
add("Throwing star", quarter_turns([D.half(0, -1, "bl"), at_vertex(3, 0, 7, 0)], 0, 0))

# Letters and digits.
add("Letter L", pic(["#.", "#.", "##"]))
add("Letter T", pic(["###", ".#."]))
add("Letter Z", pic(["##.", ".##"]))
add("Letter V", pic(["L..J", "7LJF", ".7F."]))
add("Letter C", pic(["J#", "#.", "7#"]))
add("Letter P", pic(["#L", "#F", "#."]))
add("Letter Y", pic(["L..J", "7LJF"]) + pic(["#"], origin=(15, 20)))
add("Digit 1", pic(["J#", ".#", ".#"]) + [half(2, 2, "bl")])
add("Digit 7", pic(["###", ".JF"]))

# Things.
add("House", pic(["##"], origin=(5, 10)) + pic(["J#L"]))
add("House with garage", pic(["JL.", "###"]))
add("Sailing boat", pic([".JL.", "7##F"]))
add("Steamboat", pic(["..#.", "7##F"]))
add("Arrow", pic(["###"], origin=(0, 5)) + pic(["L", "F"], origin=(30, 0)))
add("Double arrow", pic(["###"]) + [dtri(30, -2, "right"), dtri(-7, -2, "left")])
add("Rocket", pic(["#", "#"], origin=(5, 10)) + pic(["JL"]) + pic(["J.L"], origin=(-5, 20)))
add("Space rocket", [dtri(-2, -7, "up")] + pic(["#", "#"]) + pic(["J.L"], origin=(-10, 10)) + [dtri(-2, 20, "down")])
add("Aeroplane", pic([".#.", "J#L", ".#."]))
add("Crystal", pic(["JL", "##", "7F"]))
add("Crown", pic(["L.J", "###"]))
add("Mushroom", pic(["J##L"]) + pic(["#"], origin=(15, 10)))
add("Funnel", pic(["7#F", ".#.", ".#."]))
add("Wine glass", big_down(0, 0) + pic(["#"], origin=(9, 14)) + pic(["JL"], origin=(4, 24)))
add("Shield", pic(["##"], origin=(4, -10)) + big_down(0, 0))
add("Hill", pic([".#L", "J##"]))
add("Bridge", pic(["J##L"]) + pic(["F..7"], origin=(0, 10)))
add("Stool", pic(["###", "7.F"]))
add("Sweet", [half(0, 0, "bl"), half(0, 1, "tl"), half(3, 0, "br"), half(3, 1, "tr"),
              half(1, 0, "tl"), half(1, 1, "bl"), half(2, 0, "tr"), half(2, 1, "br")])

add("Bathtub", pic(["#...", "7##F"]))
add("Church", [dtri(-2, -7, "up")] + pic(["#", "#"]) + pic(["L", "#"], origin=(10, 0)))
add("Chess pawn", [dtri(-2, -14, "up"), dtri(-2, -7, "down")] + pic(["#", "#"]) + pic(["J.L"], origin=(-10, 10)))
add("Fir tree", big_up(0, 0) + pic(["#", "#"], origin=(9, 14)))
add("Spinning top", pic(["#"], origin=(10, 0)) + pic(["J#L"], origin=(0, 10)) + pic(["7F"], origin=(5, 20)))
add("Candlestick", pic([".#.", ".#.", "J#L"]))
add("Flying saucer", [dtri(13, -7, "up")] + pic(["J##L"]) + [dtri(13, 10, "down")])
add("Table lamp", pic(["J#L"]) + pic(["#"], origin=(10, 10)) + pic(["JL"], origin=(5, 20)))
add("Trophy", pic(["7#F"]) + pic(["#"], origin=(10, 10)) + pic(["JL"], origin=(5, 20)))
add("Lollipop", pic(["JL", "7F"]) + pic(["#", "#"], origin=(5, 20)))
add("Lightning", pic(["J#F.", ".J#F"]))
add("Tent", pic([".JL.", "J7FL"]) + [half(0, 2, "tl"), half(3, 2, "tr")])
add("Hammer", pic(["J#F", ".#.", ".#."]))
add("Axe", pic(["#", "#", "#"]) + pic(["L", "F"], origin=(-10, 0)))
add("Down arrow", pic(["#"], origin=(5, 0)) + pic(["##", "7F"], origin=(0, 10)))
add("Submarine", pic([".#..", "J##L"]))
add("Yacht", pic(["7##F"], origin=(0, 14)) + [dtri(17, 0, "left"), dtri(10, 7, "up")])


# Pictures on the square lattice.
add("Heart", pic(["#.#", "7#F"]))
add("Umbrella", pic(["J##L", ".#.."]))
add("Chair", pic(["#.", "##", "F7"]))
add("Dog", pic(["L..J", "####"])[:2] + pic(["###"], origin=(0, 10)))
add("Goblet", pic(["7#F", ".#.", "JL."])[:6] + pic(["JL"], origin=(5, 20)))
add("Sofa", pic(["L..J", "7##F"])[:2] + pic(["7##F"], origin=(0, 10))[:1] + pic(["##"], origin=(10, 10)) + pic(["F"], origin=(30, 10)))
add("Letter N", pic(["#L", "#7"]) + pic(["#"], origin=(20, 0)))
add("Ship", pic([".JL", "7##F"]) + [])
add("Ladder", pic(["#.", "##", ".#"]))
add("Watering can", pic(["J##F", ".##."])[:8])

add("Sledge", pic(["L..J", "7##F"]))
add("Lander", pic([".#.", "J#L", "F.7"]))
add("Bus", pic(["###", "F.F"]))
add("Mug", pic(["##J", "##."])[:7] + [half(2, 0, "tl")])
add("Snake", pic(["##..", ".###"])[:6] + [half(3, 1, "bl"), half(3, 1, "tr")])
add("Duck", pic(["#L.", "J##"])[:8])
add("Crane", pic(["##L", "#.."])[:7] + [half(0, 2, "tl")])
add("Pram", pic(["7##", ".F7"])[:7] + [half(3, 0, "tl")])
add("Crab", pic(["L##J", "7..F"]))
add("Ghost", pic(["##", "##", "7F"])[:6] + [half(0, 2, "tl"), half(1, 2, "tr")])

# Animals.
add("Fish", pic(["..J.", "7##L", ".7.."]))
add("Fox", pic(["JL", "7F"]) + [(5, 0, 14), (15, 0, 6), dtri(-4, -7, "right"), dtri(17, -7, "left")])
add("Seagull", pic(["7F7F"]) + [half(0, -1, "br"), half(3, -1, "bl"), half(1, -1, "br"), half(2, -1, "bl")])
add("Bird in flight", big_down(0, 0)[:3] + [dtri(7, 7, "down"), dtri(0, -7, "up"), dtri(14, -7, "up"),
                                            dtri(21, 0, "up"), dtri(-7, 0, "up")])
add("Cat", pic(["LJ", "##", "7F"]))

# More pictures on the square lattice.
add("Roof", pic([".JL.", "JF7L"]) + [half(0, 2, "tr"), half(3, 2, "tl")])
add("Bench", pic(["J##L", "7..F"]))
add("Whale", pic(["..LJ", "J##F"]))
add("Hut", pic(["JL", "##", "#."]))

if __name__ == "__main__":
    print("\n".join(figures.lines()))
