// from an earlier run
