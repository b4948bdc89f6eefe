// Arrives with its work.
