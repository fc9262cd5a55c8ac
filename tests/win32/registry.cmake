# (filled in by its component)
