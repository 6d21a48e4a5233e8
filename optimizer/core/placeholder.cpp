// Removed once the first core sources exist.
