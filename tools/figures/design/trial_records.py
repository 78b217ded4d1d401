"""The trial players' records as `trigonet-figures reading` counts them."""

GIVEN_UP_ACTIONS = 120  # the driver's limit of 40 put-downs, with a pick-up and a move each


def counted_trials(path):
    """(figure, player, outcome, actions) of every trial that counts: solved or
    given up after some action, a give-up counting as GIVEN_UP_ACTIONS at least."""
    with open(path) as f:
        columns = []
        for line in f:
            fields = line.rstrip("\n").split("\t")
            if fields[0] == "trial":
                columns = fields
                continue
            if len(fields) != len(columns):
                continue
            row = dict(zip(columns, fields))
            actions = int(row["actions"])
            if row["kind"] != "trial" or row["outcome"] not in ("solved", "gaveup") or \
                    (row["outcome"] == "gaveup" and actions == 0):
                continue
            if row["outcome"] == "gaveup":
                actions = max(actions, GIVEN_UP_ACTIONS)
            yield int(row["figure"]), row["player"], row["outcome"], actions


def trial_actions(path):
    """The actions of every counted trial of each figure the players laid."""
    laid = {}
    for figure, _, _, actions in counted_trials(path):
        laid.setdefault(figure, []).append(actions)
    return laid
