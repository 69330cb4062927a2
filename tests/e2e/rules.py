"""The placing rules and the board check, as the tests and the screenshot
tool need them to plan moves that the game must accept."""


def rebuild(words, placed):
    """The letters and end marks of the placed words ({index: (x, y, dir)}),
    as the redraw makes them: later words overwrite earlier ones."""
    board = {}
    for i in sorted(placed):
        x, y, d = placed[i]
        text = words[i]["text"]
        for k, letter in enumerate(text):
            board[(x + k * (1 - d), y + k * d)] = letter
        board[(x - (1 - d), y - d)] = "×"
        board[(x + len(text) * (1 - d), y + len(text) * d)] = "×"
    return board


def fits(board, n, text, x, y, d):
    """Whether a word fits at (x, y) across (d 0) or down (d 1)."""
    dx, dy = 1 - d, d
    for k, letter in enumerate(text):
        px, py = x + k * dx, y + k * dy
        if not (px < n and py < n) or board.get((px, py), "") not in ("", letter):
            return False
    if board.get((x - dx, y - dy), "") not in ("", "×"):
        return False
    ex, ey = x + len(text) * dx, y + len(text) * dy
    return ex <= n and ey <= n and board.get((ex, ey), "") in ("", "×")


def complete(board, n):
    """All letters connected, and every run of two or more letters closed at
    both ends by something other than an empty cell."""
    letters = {c for c, v in board.items() if v != "×" and 0 <= c[0] < n and 0 <= c[1] < n}
    if letters:
        seen, todo = set(), [next(iter(letters))]
        while todo:
            c = todo.pop()
            if c in seen or c not in letters:
                continue
            seen.add(c)
            todo += [(c[0] + 1, c[1]), (c[0] - 1, c[1]), (c[0], c[1] + 1), (c[0], c[1] - 1)]
        if seen != letters:
            return False

    def kind(c):
        v = board.get(c, "")
        return "empty" if v == "" else "mark" if v == "×" else "letter"

    for a in range(n):
        for b in range(-1, n - 1):
            for cells in (((b, a), (b + 1, a), (b + 2, a)), ((a, b), (a, b + 1), (a, b + 2))):
                k = [kind(c) for c in cells]
                if k in (["empty", "letter", "letter"], ["letter", "letter", "empty"]):
                    return False
    return True


def same_start(placed, x, y, d):
    return any(p == (x, y, d) for p in placed.values())


def greedy_fill(words, n, limit=None):
    """Places words one after another, longest first, each crossing the
    letters already on the board and keeping it complete, the first across
    in the middle; goes over the list again while that places more. Returns
    {index: (x, y, dir)}."""
    placed = {}
    longest_first = sorted(range(1, len(words)), key=lambda i: -len(words[i]["text"]))
    progress = True
    while progress and (limit is None or len(placed) < limit):
        progress = False
        for i in longest_first:
            if i in placed or (limit is not None and len(placed) >= limit):
                continue
            choice = _place_one(words, n, placed, i)
            if choice:
                placed[i] = choice
                progress = True
    return placed


def _place_one(words, n, placed, i):
    board = rebuild(words, placed)
    text = words[i]["text"]
    if not placed:
        x, y = max(0, (n - len(text)) // 2), n // 2
        return (x, y, 0) if fits(board, n, text, x, y, 0) else None
    letters = {c for c, v in board.items() if v != "×"}
    for (lx, ly) in sorted(letters, key=lambda c: (c[1], c[0])):
        for k, letter in enumerate(text):
            if board[(lx, ly)] != letter:
                continue
            for d in (0, 1):
                x, y = lx - k * (1 - d), ly - k * d
                if x < 0 or y < 0 or same_start(placed, x, y, d):
                    continue
                if fits(board, n, text, x, y, d):
                    trial = dict(placed)
                    trial[i] = (x, y, d)
                    if complete(rebuild(words, trial), n):
                        return x, y, d
    return None
