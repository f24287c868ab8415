d : dialog {
 label = "D";
 : edit_box { key = "k1"; }
 : text { label = "L"; key = "k2"; }
}
	d : dialog {

 key = "no";
}
d:dialog{

key = "k1";
f,d,k1,'v'
