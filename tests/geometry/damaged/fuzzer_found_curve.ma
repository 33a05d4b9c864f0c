//Maya ASCII ;
	setAttr ".s" -type "double3" 0 2 2 ;
createNode bezierCurve -n "cShape"c "p -";
	setAttr ".ccNode bezierCurv -n "cShape" -p "c";
	setAttr ".cc" -type "nurbsCurve" 
		3 1 0 no 3
		6 0 0 0 1 1 1
		4
		0 0 0
		1 1 //Maya A3" 1 0.5 0.25 ;
	s0
		2 102014 99999999999999999999999999999999";
	setAtou