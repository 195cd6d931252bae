// Stand-ins until the windows subsystem lands; each goes as its real operation arrives.
