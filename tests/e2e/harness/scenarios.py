"""The end-to-end scenarios, each a function of the context."""

ALL = []
