a : b { }
b : a { }
