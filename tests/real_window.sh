echo real_window TODO; exit 0
