//Maya ASCII 2014 scene
//A bezier curve whose length overflows single precision: the points lie near the float limits.
createNode transform -n "c";
createNode bezierCurve -n "cShape" -p "c";
	setAttr -k off ".v";
	setAttr ".cc" -type "nurbsCurve" 
		3 1 0 no 3
		6 0 0 0 1 1 1
		4
		-3e38 0 0
		3e38 0 0
		3e38 0 0
		3e38 0 0
		;
